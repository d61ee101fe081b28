// Opening a file with the desktop's program: what is said when that fails.

#include <gtest/gtest.h>

#include <string>

#include "shell/Launcher.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

TEST(LaunchFailureMessage, GivesTheSystemsReasonOrSaysNoProgramTookTheFile) {
  testing::TempFolder folder;
  const std::string present = folder / "Zarvic-Users-Guide.pdf";
  testing::WriteFile(present, "%PDF-1.4\n");
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {present, "No program could be started to show " + present + "."},
      {folder / "missing.pdf", folder / "missing.pdf" + " could not be opened: No such file or directory."},
  };
  for (const Case& c : cases) EXPECT_EQ(c.message, LaunchFailureMessage(c.path)) << c.path;
}

TEST(LaunchFile, WithoutAnOpenerNothingIsOpened) {
  FileLauncher previous = SetFileLauncher({});
  EXPECT_FALSE(LaunchFile("/tmp/anything.pdf"));
  SetFileLauncher(previous);
}

}  // namespace
}  // namespace zarvic
