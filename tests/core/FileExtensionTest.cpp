#include <gtest/gtest.h>

#include "core/FileExtension.h"

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

}  // namespace
}  // namespace zarvic
