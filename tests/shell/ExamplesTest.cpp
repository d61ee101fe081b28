// The shipped examples: beside each text input file the same problem as a problem file, so that "-TS"
// and "-TF" can be tried on them at once. ZARVIC_UPDATE_FIXTURES=1 rewrites the problem files from the
// text input files; review the difference before committing it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/Paths.h"
#include "core/UserInterface.h"
#include "problem/CTDoc.h"
#include "problem/ProblemFile.h"
#include "problem/TextInput.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ReadFile;
using testing::WriteFile;

TEST(ExamplesTest, EveryTextInputFileHasItsProblemFile) {
  SetProgramFolder(ZARVIC_BINARY_DIR);  // FEDERAL.TB3, as beside the program
  RecordingUserInterface ui;
  ScopedUserInterface guard(ui);
  const char* update = std::getenv("ZARVIC_UPDATE_FIXTURES");
  for (const char* name : {"LATE", "HOT", "GATT"}) {
    const std::string base = std::string(ZARVIC_SOURCE_DIR) + "/examples/" + name;
    TextLineReader reader;
    ASSERT_TRUE(reader.Open(base + ".TXT")) << name;
    auto doc = std::make_unique<CTDoc>();
    doc->ResetProblem();
    BatchEntrySettings batch;
    EXPECT_EQ(0, FillProblemFromInput(*doc, batch, reader)) << name;
    EXPECT_EQ("FEDERAL", doc->m_rateTable.name) << name;
    const std::string image = WriteProblem(*doc);
    if (update != nullptr && std::string(update) == "1") WriteFile(base + ".ZR3", image);
    EXPECT_EQ(image, ReadFile(base + ".ZR3")) << name << ".ZR3 is not the problem of " << name << ".TXT";

    // And it reads back as that problem, compute date included (which "-TS" needs).
    auto read = std::make_unique<CTDoc>();
    ASSERT_TRUE(LoadProblemFile(*read, base + ".ZR3", true)) << name;
    EXPECT_EQ(doc->m_computeDate, read->m_header.m_computeDate) << name;
    EXPECT_EQ(doc->EventCount(), read->EventCount()) << name;
    EXPECT_EQ(doc->m_header.m_taxpayerName.Text(), read->m_header.m_taxpayerName.Text()) << name;
  }
  EXPECT_EQ(std::vector<std::string>{}, ui.Texts());
  SetProgramFolder("");
}

}  // namespace
}  // namespace zarvic
