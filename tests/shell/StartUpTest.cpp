// The start-up rules of the windows, without a window: display, remembered folder, placement,
// recent files and the command tables the menus are built from.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/AppOptions.h"
#include "core/Paths.h"
#include "core/ScopedEnv.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "shell/MenuCommands.h"
#include "shell/RecentFiles.h"
#include "shell/StartUp.h"
#include "shell/WindowPlacement.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ScopedEnv;
using testing::TempFolder;

TEST(DisplayAvailable, AnyDisplayOrANamedPlatform) {
  struct Case {
    std::map<std::string, std::string> env;
    bool expected;
  };
  const Case cases[] = {
      {{}, false},
      {{{"DISPLAY", ""}}, false},
      {{{"DISPLAY", ":0"}}, true},
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
      {{{"QT_QPA_PLATFORM", "offscreen"}}, true},
  };
  for (const Case& c : cases) {
    auto env = [&](const char* name) -> const char* {
      auto it = c.env.find(name);
      return it == c.env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(c.expected, DisplayAvailable(env)) << c.env.size();
  }
}

class RememberedFolderTest : public ::testing::Test {
 protected:
  RecordingUserInterface ui_;
  ScopedUserInterface guard_{ui_};
  TempFolder home_;
};

TEST_F(RememberedFolderTest, RecentFileFirstThenTheDocumentsFolder) {
  EXPECT_EQ("/data/cases", RememberedProblemFolder("/data/cases/A.ZR3", home_ / "Documents"));

  // The documents folder exists: its "Zarvic" folder is made and used.
  std::filesystem::create_directory(home_ / "Documents");
  EXPECT_EQ(home_ / "Documents/Zarvic", RememberedProblemFolder("", home_ / "Documents"));
  EXPECT_TRUE(std::filesystem::is_directory(home_ / "Documents/Zarvic"));
  EXPECT_EQ(home_ / "Documents/Zarvic", RememberedProblemFolder("", home_ / "Documents"));  // already there
  EXPECT_TRUE(ui_.messages.empty());

  // Unknown: the current folder.
  EXPECT_EQ(std::filesystem::current_path().string(), RememberedProblemFolder("", ""));

  // Missing (a home folder that is gone): no folder, and nothing said.
  EXPECT_EQ("", RememberedProblemFolder("", home_ / "gone"));
  EXPECT_TRUE(ui_.messages.empty());
}

// The desktop's documents folder: what xdg-user-dirs names, else ~/Documents, else the home folder.
TEST(DocumentsFolder, UserDirsThenDocumentsThenHome) {
  struct Case {
    const char* name;
    std::optional<std::string> userDirs;  // the contents of user-dirs.dirs; nullopt: no file
    std::vector<std::string> folders;     // made under the home folder
    std::string expected;                 // under the home folder; "" is the home folder itself
  };
  const Case cases[] = {
      {"named and present",
       "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n",
       {"Papiere", "Documents"},
       "/Papiere"},
      {"named with a trailing slash", "XDG_DOCUMENTS_DIR=\"$HOME/Papiere/\"\n", {"Papiere"}, "/Papiere"},
      {"escaped and indented",
       "# written by xdg-user-dirs-update\n  XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n",
       {"My \"Docs\""},
       "/My \"Docs\""},
      {"the home folder itself", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", {"Documents"}, ""},
      {"file absent, ~/Documents present", std::nullopt, {"Documents"}, "/Documents"},
      {"file absent, no ~/Documents", std::nullopt, {}, ""},
      {"named but missing", "XDG_DOCUMENTS_DIR=\"$HOME/Gone\"\n", {"Documents"}, "/Documents"},
      {"named but missing, no ~/Documents", "XDG_DOCUMENTS_DIR=\"$HOME/Gone\"\n", {}, ""},
      {"commented out", "#XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n", {"Papiere"}, ""},
      {"relative, not a folder xdg-user-dirs writes", "XDG_DOCUMENTS_DIR=\"Papiere\"\n", {"Papiere"}, ""},
  };
  for (const Case& c : cases) {
    TempFolder home;
    ScopedEnv homeEnv("HOME", home.path());
    ScopedEnv config("XDG_CONFIG_HOME", home / "config");
    ScopedEnv documents("XDG_DOCUMENTS_DIR", std::nullopt);
    std::filesystem::create_directory(home / "config");
    if (c.userDirs) testing::WriteFile(home / "config/user-dirs.dirs", *c.userDirs);
    for (const std::string& folder : c.folders) std::filesystem::create_directory(home / folder);
    EXPECT_EQ(home.path() + c.expected, DocumentsFolder()) << c.name;
  }
}

TEST(DocumentsFolder, AbsoluteFolderOrTheVariable) {
  TempFolder home;
  TempFolder elsewhere;
  ScopedEnv homeEnv("HOME", home.path());
  ScopedEnv config("XDG_CONFIG_HOME", home / "config");
  ScopedEnv documents("XDG_DOCUMENTS_DIR", elsewhere / "fromvariable");
  std::filesystem::create_directory(home / "config");
  std::filesystem::create_directory(elsewhere / "fromfile");
  std::filesystem::create_directory(elsewhere / "fromvariable");
  testing::WriteFile(home / "config/user-dirs.dirs",
                     "XDG_DOCUMENTS_DIR=\"" + (elsewhere / "fromfile") + "\"\n");
  EXPECT_EQ(elsewhere / "fromfile", DocumentsFolder());
  std::filesystem::remove(home / "config/user-dirs.dirs");
  EXPECT_EQ(elsewhere / "fromvariable", DocumentsFolder());
}

// A save killed in an earlier run left its temporary file beside the user's: the next start removes it
// from the folders of the recent files and from the problem folder.
TEST(RemoveLeftoverTemporaryFiles, RecentFoldersAndTheProblemFolder) {
  TempFolder recent, problems, elsewhere;
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string stale = ".CASE.ZR3." + std::to_string(child) + "-0.tmp";
  for (const TempFolder* folder : {&recent, &problems, &elsewhere})
    testing::WriteFile(*folder / stale, "data");
  RemoveLeftoverTemporaryFiles({recent / "CASE.ZR3", recent / "OTHER.ZR3"}, problems.path());
  EXPECT_TRUE(recent.Entries().empty());
  EXPECT_TRUE(problems.Entries().empty());
  EXPECT_EQ(std::vector<std::string>{stale}, elsewhere.Entries());
}

TEST(WindowPos, ExactlyTenNumbers) {
  struct Case {
    const char* text;
    bool parses;
  };
  const Case cases[] = {
      {"0,1,-1,-1,-1,-1,20,30,700,530", true},
      {"2,3,-1,-1,-8,-8,0,0,640,480", true},
      {" 0, 1, -1, -1, -1, -1, 20, 30, 700, 530 ", true},
      {"0,1,-1,-1,-1,-1,20,30,700", false},          // nine numbers
      {"0,1,-1,-1,-1,-1,20,30,700,530,9", false},    // eleven
      {"0,1,-1,-1,-1,-1,20,30,700,530x", false},     // trailing text
      {"0,1,-1,-1,-1,,20,30,700,530", false},        // an empty field
      {"-2,1,-1,-1,-1,-1,20,30,700,530", false},     // negative flags
      {"0,1,-1,-1,-1,-1,700,30,20,530", false},      // no width
      {"0,1,-1,-1,-1,-1,-2147483648,0,2147483647,10", false},  // wider than a number holds
      {"0,1,-1,-1,-1,-1,20,30,99999999999,530", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.parses, ParseWindowPos(c.text).has_value()) << c.text;

  auto p = ParseWindowPos("2,3,-1,-1,-8,-8,20,30,700,530");
  ASSERT_TRUE(p);
  EXPECT_EQ((WindowPlacement{2, 3, -1, -1, -8, -8, 20, 30, 700, 530}), *p);
  EXPECT_EQ(680, p->Width());
  EXPECT_EQ(500, p->Height());
  EXPECT_EQ("2,3,-1,-1,-8,-8,20,30,700,530", FormatWindowPos(*p));
}

TEST(WindowPos, StartsMaximizedButNeverAsAnIcon) {
  struct Case {
    unsigned flags, show;
    bool maximized;
  };
  for (Case c : {Case{0, 1, false}, Case{0, 3, true}, Case{0, 2, false}, Case{2, 2, true}, Case{2, 1, false}}) {
    WindowPlacement p;
    p.flags = c.flags;
    p.showCommand = c.show;
    EXPECT_EQ(c.maximized, p.StartsMaximized()) << c.flags << "," << c.show;
  }
  EXPECT_TRUE(DocWindowStartsMaximized("1"));
  EXPECT_FALSE(DocWindowStartsMaximized("0"));
  EXPECT_FALSE(DocWindowStartsMaximized(""));
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseSettingsStore();
    Options() = AppOptions{};
  }
  void TearDown() override {
    CloseSettingsStore();
    Options() = AppOptions{};
  }
  TempFolder scratch_;
  ScopedEnv registry_{"ZARVIC_REGISTRY", scratch_ / "registry.sqlite3"};
};

TEST_F(SettingsStoreTest, RecentFilesNewestFirstWithinTheirNumber) {
  RecentFileList list(3);
  for (const char* path : {"/a/1.ZR3", "/a/2.ZR3", "/a/3.ZR3", "/a/1.ZR3", "/a/4.ZR3"}) list.Add(path);
  const std::vector<std::string> expected = {"/a/4.ZR3", "/a/1.ZR3", "/a/3.ZR3"};
  EXPECT_EQ(expected, list.Files());
  list.Save();
  EXPECT_EQ("/a/4.ZR3", GetProfileString(kSectionRecentFiles, "File1", ""));

  RecentFileList again(3);
  again.Load();
  EXPECT_EQ(expected, again.Files());

  // A shorter list leaves no stale names behind.
  again.Remove("/a/1.ZR3");
  again.Save();
  EXPECT_EQ("", GetProfileString(kSectionRecentFiles, "File3", "unset"));

  // The number of entries read follows "Number of MRU files"; none keeps nothing.
  RecentFileList one(1);
  one.Load();
  EXPECT_EQ(std::vector<std::string>{"/a/4.ZR3"}, one.Files());
  RecentFileList none(0);
  none.Add("/a/5.ZR3");
  EXPECT_TRUE(none.Files().empty());
}

TEST(RecentFileCaption, NumberedShortenedAndEscaped) {
  struct Case {
    int index;
    const char* path;
    const char* caption;
  };
  const Case cases[] = {
      {0, "/data/A.ZR3", "&1 /data/A.ZR3"},
      {9, "/data/A.ZR3", "1&0 /data/A.ZR3"},
      {1, "/home/someone/clients/smith and sons/2025/SMITH.ZR3", "&2 /home/.../SMITH.ZR3"},
      {2, "/data/R&D.ZR3", "&3 /data/R&&D.ZR3"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.caption, RecentFileCaption(c.index, c.path)) << c.path;
}

std::vector<std::string> Captions(const MenuInfo& menu) {
  std::vector<std::string> out;
  for (const MenuEntry& e : menu.entries) {
    switch (e.kind) {
      case MenuEntry::Kind::Command:
        out.push_back(Command(e.id).caption);
        break;
      case MenuEntry::Kind::Separator:
        out.push_back("-");
        break;
      case MenuEntry::Kind::RecentFiles:
        out.push_back("<recent>");
        break;
      case MenuEntry::Kind::WindowList:
        out.push_back("<windows>");
        break;
    }
  }
  return out;
}

TEST(MenuBar, BothSetsWithTheirMenus) {
  using V = std::vector<std::string>;
  auto titles = [](MenuSet set) {
    V out;
    for (const MenuInfo& m : MenuBar(set)) out.push_back(m.caption);
    return out;
  };
  EXPECT_EQ((V{"&File", "&View", "&Options", "&Help"}), titles(MenuSet::NoProblem));
  EXPECT_EQ((V{"&File", "&Edit", "&View", "&Compute", "&Reports", "&Options", "&Window", "&Help"}),
            titles(MenuSet::Problem));

  const auto main = MenuBar(MenuSet::NoProblem);
  EXPECT_EQ((V{"&New", "&Open...", "-", "P&rint Setup...", "&Report Setup...", "-", "<recent>", "-", "E&xit"}),
            Captions(main[0]));
  const auto problem = MenuBar(MenuSet::Problem);
  EXPECT_EQ((V{"&Compute Totals...", "&Penalty Selection...", "&Hot Interest...", "C Corp &Refund Issues...",
               "Payoff Calculator...", "&Estimated Tax Penalty...", "&Deposit Penalty...",
               "&Allocate a Payment..."}),
            Captions(problem[3]));

  // "&GATT Active at Start-up" is the main window's; the CSV commands and "I&mport/Export" the problem's.
  auto has = [](const MenuInfo& m, const std::string& caption) {
    V c = Captions(m);
    return std::find(c.begin(), c.end(), caption) != c.end();
  };
  EXPECT_TRUE(has(main[2], "&GATT Active at Start-up"));
  EXPECT_FALSE(has(problem[5], "&GATT Active at Start-up"));
  EXPECT_TRUE(has(problem[5], "Export to CSV file..."));
  EXPECT_TRUE(has(problem[5], "Change &Font..."));
  EXPECT_EQ("&Refunds", Captions(main[3])[2]);
  EXPECT_EQ("&Refund Interest", Captions(problem[7])[2]);
  EXPECT_TRUE(has(problem[7], "I&mport/Export"));
  EXPECT_FALSE(has(main[3], "I&mport/Export"));

  // A command that acts on a problem is never in the menus without one.
  for (const MenuInfo& m : main) {
    for (const MenuEntry& e : m.entries) {
      if (e.kind == MenuEntry::Kind::Command) {
        EXPECT_FALSE(Command(e.id).needsProblem) << Command(e.id).caption;
      }
    }
  }
}

TEST(MenuBar, KeysAreUniqueAndWhereTheyBelong) {
  std::set<std::string> keys;
  for (const CommandInfo& c : Commands()) {
    if (*c.shortcut == '\0') continue;
    EXPECT_TRUE(keys.insert(c.shortcut).second) << c.shortcut << " twice";
  }
  const std::map<CommandId, std::string> expected = {
      {CommandId::FileNew, "Ctrl+N"},        {CommandId::FileOpen, "Ctrl+O"},         {CommandId::FileSave, "Ctrl+S"},
      {CommandId::FilePrint, "Ctrl+P"},      {CommandId::ComputeTotals, "F9"},        {CommandId::PenaltySelection, "F3"},
      {CommandId::AllocatePayment, "F2"},    {CommandId::DeleteLine, "Ctrl+D"},       {CommandId::HelpIndex, "F1"},
  };
  for (const auto& [id, key] : expected) EXPECT_EQ(key, Command(id).shortcut) << Command(id).caption;
}

TEST(Toolbar, TenButtonsInOrderWithNamesAndPrompts) {
  struct Row {
    const char* name;
    const char* prompt;
    bool separatorBefore;
  };
  const Row rows[] = {
      {"New File", "Start a new Zarvic problem", false},
      {"Open File", "Open a previously saved Zarvic problem", false},
      {"Save File", "Save the current Zarvic problem", false},
      {"Penalties", "IRS Penalty Selection", true},
      {"Hot Interest", "Activates Hot Interest Calculations for C Corporations", false},
      {"GATT Issues", "GATT Refund Issues", false},
      {"ComputeTotals", "Compute interest and penalties", true},
      {"Print", "Print Zarvic Reports", true},
      {"PrintPreview", "Select a report and computation date", false},
      {"Select Rate Table", "Select an Interest Rate Table", true},
  };
  auto buttons = ToolbarButtons();
  ASSERT_EQ(std::size(rows), buttons.size());
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(std::string(rows[i].name), buttons[i].accessibleName) << i;
    EXPECT_EQ(std::string(rows[i].prompt), Command(buttons[i].id).statusTip) << i;
    EXPECT_EQ(rows[i].separatorBefore, buttons[i].separatorBefore) << i;
  }
}

TEST_F(SettingsStoreTest, OptionTogglesWriteAtOnceMinimumPenaltyInverted) {
  LoadSettings();
  const OptionToggle* minimum = FindOptionToggle(CommandId::OptionMinimumPenalty);
  ASSERT_NE(nullptr, minimum);
  EXPECT_TRUE(OptionChecked(*minimum));  // stored 0 (the default)
  EXPECT_TRUE(ToggleOption(*minimum));
  EXPECT_FALSE(OptionChecked(*minimum));
  EXPECT_EQ(1, GetIntSetting(SettingId::OverrideIrsPaymentAllocation));

  for (const OptionToggle& toggle : OptionToggles()) {
    if (toggle.inverted) continue;
    bool before = OptionChecked(toggle);
    EXPECT_TRUE(ToggleOption(toggle));
    EXPECT_EQ(!before, OptionChecked(toggle)) << Command(toggle.id).caption;
    EXPECT_EQ(before ? 0 : 1, GetIntSetting(toggle.setting)) << Command(toggle.id).caption;
    EXPECT_TRUE(Command(toggle.id).checkable);
  }
  // Only the two that change what every view shows ask for a refresh.
  std::set<CommandId> refreshing;
  for (const OptionToggle& toggle : OptionToggles()) {
    if (toggle.refreshViews) refreshing.insert(toggle.id);
  }
  EXPECT_EQ((std::set<CommandId>{CommandId::OptionWholeDollar, CommandId::OptionShowCentury}), refreshing);
}

}  // namespace
}  // namespace zarvic
