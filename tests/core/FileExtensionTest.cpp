#include <gtest/gtest.h>

#include "core/FileExtension.h"
#include "core/UserInterface.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

TEST(SetExtension, AppendsOrReplacesInTheFileNameOnly) {
  struct Case {
    const char* path;
    const char* result;
  };
  for (const Case& c : {Case{"FEDERAL", "FEDERAL.TB3"}, Case{"FEDERAL.TB2", "FEDERAL.TB3"},
                        Case{"federal.tb3", "federal.TB3"}, Case{"MY.TABLE", "MY.TB3"}, Case{"x.", "x.TB3"},
                        Case{"/rates.d/FEDERAL", "/rates.d/FEDERAL.TB3"},
                        Case{"a.b/c.d/e.f", "a.b/c.d/e.TB3"}, Case{"", ".TB3"}}) {
    std::string path = c.path;
    SetExtension(path, ".TB3");
    EXPECT_EQ(c.result, path) << c.path;
  }
}

TEST(ExtensionOf, ComparedWithoutRegardToCase) {
  EXPECT_EQ(".tb3", ExtensionOf("/a.b/rates.tb3"));
  EXPECT_EQ("", ExtensionOf("/a.b/rates"));
  EXPECT_TRUE(HasExtensionNoCase("/x/rates.tb3", ".TB3"));
  EXPECT_TRUE(HasExtensionNoCase("RATES.Tb3", ".TB3"));
  EXPECT_FALSE(HasExtensionNoCase("rates.tb2", ".TB3"));
  EXPECT_FALSE(HasExtensionNoCase("tb3/rates", ".TB3"));
}

TEST(WithExistingExtensionCase, FindsTheFileWhoseExtensionDiffersInCase) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "case.zr3", "x");
  testing::WriteFile(folder / "Both.ZR3", "x");
  testing::WriteFile(folder / "Both.zr3", "x");
  struct Case {
    std::string path;
    std::string expected;
  };
  const Case cases[] = {
      {folder / "case.ZR3", folder / "case.zr3"}, {folder / "case.zr3", folder / "case.zr3"},
      {folder / "Both.ZR3", folder / "Both.ZR3"},  // the file of that very name
      {folder / "CASE.ZR3", folder / "CASE.ZR3"},  // only the extension may differ
      {folder / "new.ZR3", folder / "new.ZR3"},   {folder / "missing/case.ZR3", folder / "missing/case.ZR3"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, WithExistingExtensionCase(c.path)) << c.path;
}

}  // namespace
}  // namespace zarvic

namespace zarvic {
namespace {

TEST(CompleteSaveName, AddsTheExtensionBeforeLookingForTheFile) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "report.txt", "x");
  struct Case {
    std::string typed;
    std::string extension;
    std::string expected;
  };
  const Case cases[] = {
      {folder / "new", "TXT", folder / "new.TXT"},
      {folder / "report", "TXT", folder / "report.txt"},  // the file the write would replace
      {folder / "report.TXT", "TXT", folder / "report.txt"},
      {folder / "report.v2", "TXT", folder / "report.v2"},  // an extension of the person's own stays
      {folder / "report", "", folder / "report"},
      {folder / "a.b/report", "pdf", folder / "a.b/report.pdf"},  // a dot of the folder is no extension
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, CompleteSaveName(c.typed, c.extension)) << c.typed;
}

// The save dialogs ask before replacing a file whether or not the extension was typed.
TEST(ConfirmSaveName, AsksAboutTheCompletedNameAndAsksAgainOnNo) {
  testing::TempFolder folder;
  testing::WriteFile(folder / "LATE.ZR3", "x");
  struct Case {
    std::vector<std::string> typed;  // what the dialog returns each time it is shown
    std::vector<Answer> answers;
    std::optional<std::string> expected;
    std::vector<std::string> questions;
  };
  const std::string question = "LATE.ZR3 already exists.\nDo you want to replace it?";
  const Case cases[] = {
      {{folder / "NEW"}, {}, folder / "NEW.ZR3", {}},
      {{folder / "LATE"}, {Answer::Yes}, folder / "LATE.ZR3", {question}},
      {{folder / "LATE.ZR3"}, {Answer::Yes}, folder / "LATE.ZR3", {question}},
      {{folder / "LATE", folder / "OTHER"}, {Answer::No}, folder / "OTHER.ZR3", {question}},
      {{folder / "LATE", ""}, {Answer::No}, std::nullopt, {question}},  // No, then cancel
  };
  for (const Case& c : cases) {
    RecordingUserInterface ui;
    ScopedUserInterface scoped(ui);
    ui.answers.assign(c.answers.begin(), c.answers.end());
    FileChoice choice;
    choice.save = true;
    choice.initialPath = folder / "start";
    choice.defaultExtension = "ZR3";
    std::vector<std::string> initials;
    size_t shown = 0;
    auto result = ConfirmSaveName(choice, [&](const std::string& initial) -> std::optional<std::string> {
      initials.push_back(initial);
      if (shown >= c.typed.size() || c.typed[shown].empty()) return std::nullopt;
      return c.typed[shown++];
    });
    EXPECT_EQ(c.expected, result) << c.typed.front();
    EXPECT_EQ(c.questions, ui.Texts()) << c.typed.front();
    ASSERT_FALSE(initials.empty());
    EXPECT_EQ(folder / "start", initials.front());
    // After No the dialog opens again at the name it was given.
    if (initials.size() > 1) {
      EXPECT_EQ(folder / "LATE.ZR3", initials[1]);
    }
  }
}

TEST(DialogFilterTest, OffersEveryExtensionInBothCases) {
  struct Case {
    const char* stored;
    const char* dialog;
  };
  const Case cases[] = {
      {"Zarvic (*.ZR3)|*.ZR3|Zarvic 2 (*.ZR2)|*.ZR2|All Files (*.*)|*.*||",
       "Zarvic (*.ZR3 *.zr3);;Zarvic 2 (*.ZR2 *.zr2);;All Files (*)"},
      // The label's own list may be spaced oddly or missing; the patterns come from the second field.
      {"Rate Tables (*.TB3) |*.TB3|Old Rate Tables (*.TB2)|*.TB2|All Files|*.*||",
       "Rate Tables (*.TB3 *.tb3);;Old Rate Tables (*.TB2 *.tb2);;All Files (*)"},
      {"CSV files (*.csv)|*.csv|All Files (*.*)|*.*||", "CSV files (*.CSV *.csv);;All Files (*)"},
      {"Text (*.TXT;*.RPT)|*.TXT;*.RPT||", "Text (*.TXT *.txt *.RPT *.rpt)"},
      {"*.DM", "Files (*.DM *.dm)"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.dialog, DialogFilter(c.stored)) << c.stored;
}

}  // namespace
}  // namespace zarvic
