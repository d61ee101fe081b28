// Problem files on disk: a failed save leaves the earlier file as it was, a failed read leaves a new
// problem.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "core/StringTable.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemFileFixture.h"

namespace zarvic {
namespace {

using namespace zarvic::testing;

// Files may grow to limit bytes for a scope; a write beyond fails with EFBIG. Unlike a read-only
// folder this also stops root.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t limit) {
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previousHandler_);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  sighandler_t previousHandler_;
};

class ProblemFileIoTest : public ProblemFileFixture {
 protected:
  std::unique_ptr<CTDoc> ProblemWithEvents(int count) {
    auto doc = std::make_unique<CTDoc>();
    doc->ResetProblem();
    doc->m_header.m_taxpayerName.SetText("Taxpayer");
    for (int i = 0; i < count; ++i) {
      doc->m_events[i].m_type = i == 0 ? kEventTax : kEventPayment;
      doc->m_events[i].m_date = static_cast<DayNumber>(15000 + i);
      doc->m_events[i].m_amount = 100.0 * (i + 1);
    }
    doc->SetModified();
    return doc;
  }

  TempFolder folder;
};

TEST_F(ProblemFileIoTest, SavedFileReadsBack) {
  auto doc = ProblemWithEvents(3);
  const std::string path = folder / "A.ZR3";
  ASSERT_TRUE(SaveProblemFile(*doc, path));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(doc->m_saving);
  EXPECT_EQ(std::vector<std::string>{"A.ZR3"}, folder.Entries());  // nothing left beside it
  EXPECT_EQ(WriteProblem(*doc), ReadFile(path));

  auto read = std::make_unique<CTDoc>();
  ProblemReadStatus status{};
  ASSERT_TRUE(LoadProblemFile(*read, path, true, &status));
  EXPECT_EQ(ProblemReadStatus::Read, status);
  EXPECT_EQ(3, read->EventCount());
  EXPECT_EQ("Taxpayer", read->m_header.m_taxpayerName.Text());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProblemFileIoTest, SaveToAPathThatCannotBeCreatedFails) {
  struct Case {
    const char* name;
    std::string path;
    const char* reason;
  };
  std::filesystem::create_directory(folder / "sub.ZR3");
  const Case cases[] = {
      {"missing folder", folder / "missing/A.ZR3", "No such file or directory"},
      {"a folder in the way", folder / "sub.ZR3", "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui.messages.clear();
    auto doc = ProblemWithEvents(2);
    EXPECT_FALSE(SaveProblemFile(*doc, c.path));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ((std::vector<std::string>{"Failed to save document.\n" + c.path + "\n" + c.reason}),
              ui.Texts());
  }
  EXPECT_EQ(std::vector<std::string>{"sub.ZR3"}, folder.Entries());
}

TEST_F(ProblemFileIoTest, FailedSaveLeavesTheEarlierFileIntact) {
  const std::string path = folder / "A.ZR3";
  auto small = ProblemWithEvents(1);
  ASSERT_TRUE(SaveProblemFile(*small, path));
  const std::string earlier = ReadFile(path);

  auto large = ProblemWithEvents(50);  // 50 payments: far beyond the limit below
  {
    ScopedFileSizeLimit limit(8192);
    EXPECT_FALSE(SaveProblemFile(*large, path));
  }
  EXPECT_EQ(earlier, ReadFile(path));
  EXPECT_EQ(std::vector<std::string>{"A.ZR3"}, folder.Entries());
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ("Failed to save document.\n" + path + "\nFile too large", ui.messages[0].text);
  EXPECT_TRUE(large->IsModified());
}

TEST_F(ProblemFileIoTest, FileThatCannotBeReadLeavesANewProblem) {
  std::filesystem::create_directory(folder / "dir.ZR3");
  struct Case {
    std::string path;
    const char* reason;
  };
  ASSERT_EQ(0, ::mkfifo((folder / "fifo.ZR3").c_str(), 0600));  // must not hang the open
  for (const Case& c :
       {Case{folder / "missing.ZR3", "No such file or directory"}, Case{folder / "dir.ZR3", "Is a directory"},
        Case{folder / "fifo.ZR3", "Invalid argument"}}) {
    SCOPED_TRACE(c.path);
    ui.messages.clear();
    auto doc = ProblemWithEvents(2);
    ProblemReadStatus status{};
    EXPECT_FALSE(LoadProblemFile(*doc, c.path, true, &status));
    EXPECT_EQ(ProblemReadStatus::CannotOpen, status);
    EXPECT_EQ(0, doc->EventCount());
    EXPECT_EQ("", doc->m_header.m_taxpayerName.Text());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ((std::vector<std::string>{"Failed to open document.\n" + c.path + "\n" + c.reason}),
              ui.Texts());
  }
  ui.messages.clear();
  auto doc = ProblemWithEvents(2);
  EXPECT_FALSE(LoadProblemFile(*doc, folder / "missing.ZR3", false));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProblemFileIoTest, DamagedFileOnDiskIsRefused) {
  const std::string path = folder / "A.ZR3";
  auto doc = ProblemWithEvents(2);
  ASSERT_TRUE(SaveProblemFile(*doc, path));
  std::string bytes = ReadFile(path);
  WriteFile(path, bytes.substr(0, bytes.size() - 1));
  auto read = std::make_unique<CTDoc>();
  ProblemReadStatus status{};
  EXPECT_FALSE(LoadProblemFile(*read, path, true, &status));
  EXPECT_EQ(ProblemReadStatus::Truncated, status);
  EXPECT_EQ((std::vector<std::string>{std::string(StringText(20013)) + "\n" + path +
                                      ": the file ends inside the payment allocation of event 2."}),
            ui.Texts());
  EXPECT_FALSE(read->m_loading);
}

// Regression: text of a file's name or content went into messages raw, so that a line break forged a
// line and an escape sequence reached the terminal. Each control character is shown escaped.
TEST_F(ProblemFileIoTest, NamesInMessagesAreEscaped) {
  const std::string name = "A\x1B[2J\nB.ZR3";
  WriteFile(folder / name, "short");
  auto doc = std::make_unique<CTDoc>();
  EXPECT_FALSE(LoadProblemFile(*doc, folder / name, true));
  EXPECT_FALSE(LoadProblemFile(*doc, folder / (name + ".missing"), true));

  auto named = ProblemWithEvents(1);
  named->m_rateTable.name = "FED\x1B[2J\r\nERAL";
  ASSERT_TRUE(SaveProblemFile(*named, folder / "T.ZR3"));
  EXPECT_TRUE(LoadProblemFile(*doc, folder / "T.ZR3", true));

  const std::string shown = folder / "A\\x1B[2J\\x0AB.ZR3";
  EXPECT_EQ(
      (std::vector<std::string>{
          std::string(StringText(20013)) + "\n" + shown + ": the file ends inside the header.",
          "Failed to open document.\n" + shown + ".missing\nNo such file or directory",
          "Can't find the interest rate table that was used with this file (FED\\x1B[2J\\r\\x0AERAL)."}),
      ui.Texts());
}

}  // namespace
}  // namespace zarvic
