#include <gtest/gtest.h>

#include "core/FileExtension.h"
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
