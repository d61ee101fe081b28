#include "regutil/RegistryListing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/UserInterface.h"
#include "regutil/RegTypeNames.h"
#include "support/TestFiles.h"

namespace zarvic::regutil {
namespace {

using Bytes = std::vector<unsigned char>;

TEST(RegTypeNames, TableOrderCodesAndLookup) {
  const std::vector<std::pair<std::string, std::int64_t>> expected = {
      {"REG_NONE", 0},
      {"REG_SZ", 1},
      {"REG_EXPAND_SZ", 2},
      {"REG_BINARY", 3},
      {"REG_DWORD", 4},
      {"REG_DWORD_LITTLE_ENDIAN", 4},
      {"REG_DWORD_BIG_ENDIAN", 5},
      {"REG_LINK", 6},
      {"REG_MULTI_SZ", 7},
      {"REG_RESOURCE_LIST", 8},
      {"REG_FULL_RESOURCE_DESCRIPTOR", 9},
      {"REG_RESOURCE_REQUIREMENTS_LIST", 10},
      {"REG_QWORD_LITTLE_ENDIAN", 11},
  };
  std::vector<std::pair<std::string, std::int64_t>> table;
  for (const RegTypeName& row : RegTypeNames()) table.emplace_back(std::string(row.name), row.code);
  EXPECT_EQ(expected, table);

  // Code 4 is found at its first row; codes no row has give nothing.
  EXPECT_EQ("REG_DWORD", RegTypeNameOf(4));
  EXPECT_EQ(std::optional<std::size_t>(4), RegTypeIndexOf(4));
  EXPECT_EQ("REG_MULTI_SZ", RegTypeNameOf(7));
  EXPECT_EQ("", RegTypeNameOf(12));
  EXPECT_EQ("", RegTypeNameOf(kSectionLine));
  EXPECT_EQ(std::nullopt, RegTypeIndexOf(kSectionLine));
}

TEST(RegTypeNames, WarningNamesAreFourteenCharacters) {
  const std::vector<std::pair<std::uint32_t, std::string>> cases = {
      {0, "REG_NONE      "},       {5, "REG_DW_BIG_END"},       {6, "REG_LINK      "},
      {7, "REG_MULTI_SZ  "},       {8, "REG_RES_LIST  "},       {9, "REG_UNKNWN_009"},
      {11, "REG_UNKNWN_011"},      {123, "REG_UNKNWN_123"},     {4242, "REG_UNKNWN_4242"},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(name, WarningTypeName(code)) << code;
}

TEST(DisplayText, ByType) {
  struct Case {
    RegistryValue value;
    std::string text;
  };
  const std::vector<Case> cases = {
      {RegistryValue::String("s", "abc"), "abc"},
      {{"s", kRegString, {'a', 'b', 0, 'c'}}, "ab"},
      {{"x", kRegExpandString, {'%', 'T', 'E', 'M', 'P', '%'}}, "%TEMP%"},  // not expanded
      {RegistryValue::Binary("b", {0x0A, 0xFF}), "0A FF "},
      {RegistryValue::Binary("b", {}), ""},
      {RegistryValue::Binary("b", {0x00}), "00 "},
      {RegistryValue::Dword("d", 1), "1 "},
      {RegistryValue::Dword("d", -1), "-1 "},
      {RegistryValue::Dword("d", INT32_MIN), "-2147483648 "},
      {{"d", kRegDword, {0x01}}, "1 "},  // a short number reads as if padded with zero bytes
      {{"m", 7, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}}, "one"},
      {{"n", kRegNone, {'h', 'i'}}, "hi"},
      {{"q", 11, {}}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, DisplayText(c.value)) << c.value.name;
}

std::vector<ProgramSection> Sample() {
  return {
      {"Settings", {{"Number of MRU files", kRegDword, "10 "}, {"WindowPos", kRegString, "0 1 2"}}},
      {"Options", {{"Tips", kRegDword, "1 "}, {"Blob", kRegBinary, "0A FF "}, {"Multi", 7, "one"}}},
      {"Empty", {}},
  };
}

TEST(MakeListing, SectionAndValueLinesWithTheirTypes) {
  Listing listing = MakeListing(Sample());
  EXPECT_EQ(
      "[Settings]\r\nNumber of MRU files=10 \r\nWindowPos=0 1 2\r\n"
      "[Options]\r\nTips=1 \r\nBlob=0A FF \r\nMulti=one\r\n[Empty]\r\n",
      listing.text);
  EXPECT_EQ((std::vector<LineType>{kSectionLine, 4, 1, kSectionLine, 4, 3, 7, kSectionLine}), listing.lineTypes);
  EXPECT_EQ(listing.lineTypes.size(), listing.lines.size());
  EXPECT_EQ("Tips=1 ", listing.lines[4]);
  EXPECT_EQ(Listing{}, MakeListing({}));
}

TEST(PickLine, FillsWhatTheLineNames) {
  Listing listing = MakeListing(Sample());
  // A line before any section line, and lines of other shapes, as a listing may hold them.
  Listing odd;
  odd.lines = {"Loose=5", "  ", "no equals sign", "[Sec]", "  Spaced = x  ", "a=b=c", "[]", "Typed=7"};
  odd.lineTypes = {4, 1, 1, kSectionLine, 1, 1, kSectionLine, 99};
  struct Case {
    const Listing* listing;
    std::size_t line;
    PickResult expected;
  };
  const std::vector<Case> cases = {
      {&listing, 3, {PickKind::Section, "Options", "", "", std::nullopt}},
      // The DWORD's and the binary value's trailing blank go with the trim.
      {&listing, 4, {PickKind::Value, "Options", "Tips", "1", 4}},
      {&listing, 5, {PickKind::Value, "Options", "Blob", "0A FF", 3}},
      {&listing, 6, {PickKind::Value, "Options", "Multi", "one", 8}},
      {&listing, 2, {PickKind::Value, "Settings", "WindowPos", "0 1 2", 1}},
      {&listing, 8, {}},  // past the last line
      {&odd, 0, {PickKind::Value, "", "Loose", "5", 4}},
      {&odd, 1, {}},
      {&odd, 2, {PickKind::Other, "", "", "", std::nullopt}},
      {&odd, 4, {PickKind::Value, "Sec", "Spaced ", " x", 1}},
      {&odd, 5, {PickKind::Value, "Sec", "a", "b=c", 1}},
      {&odd, 6, {PickKind::Section, "", "", "", std::nullopt}},
      {&odd, 7, {PickKind::Value, "", "Typed", "7", std::nullopt}},  // no row for type 99
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, PickLine(*c.listing, c.line)) << "line " << c.line;
}

// Regression: a line of more than 127 characters was cut before it was split, so Save wrote the
// shortened value back.
TEST(PickLine, LongLinesAreTakenWhole) {
  std::string longText(200, 'x');
  Listing listing = MakeListing({{"S", {{"Long", kRegString, longText}}}});
  EXPECT_EQ(longText, PickLine(listing, 1).value);
}

TEST(ValueFromText, BytesByType) {
  struct Case {
    std::string text;
    std::int64_t type;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {"abc", kRegString, {'a', 'b', 'c'}},  // no terminating NUL
      {"%X%", kRegExpandString, {'%', 'X', '%'}},
      {std::string(128, 'z'), kRegString, Bytes(128, 'z')},
      {"1", kRegDword, {1, 0, 0, 0}},
      {"  -2x", kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"abc", kRegDword, {0, 0, 0, 0}},
      {"+305419896", kRegDword, {0x78, 0x56, 0x34, 0x12}},
      {"99999999999", kRegDword, {0xFF, 0xFF, 0xFF, 0x7F}},   // held at the largest number
      {"-99999999999", kRegDword, {0x00, 0x00, 0x00, 0x80}},  // and at the smallest
      {"0a ff", kRegBinary, {0x0A, 0xFF}},
      {"0A FF", kRegBinary, {0x0A, 0xFF}},
      {"A", kRegBinary, {0xA0}},
      {"  0aff12", kRegBinary, {0x0A, 0xFF, 0x12}},
      {"a b", kRegBinary, {0xA0, 0xB0}},  // a blank as second character counts as 0
      {"   ", kRegBinary, {}},
      {"x", kRegNone, {}},
      {"one", 7, {}},
      {"1", 11, {}},
  };
  for (const Case& c : cases) {
    ValueData data = ValueFromText(c.text, c.type);
    EXPECT_EQ(c.bytes, data.bytes) << c.text << " as " << c.type;
    EXPECT_EQ("", data.error) << c.text << " as " << c.type;
  }
}

TEST(ValueFromText, RefusesWhatItCannotWriteAsItStands) {
  struct Case {
    std::string text;
    std::int64_t type;
    std::string error;
  };
  const std::string tooLong =
      "The value text gives 129 bytes of data, more than the 128 bytes a value can take here.\n"
      "Nothing was written.";
  const std::vector<Case> cases = {
      {std::string(129, 'z'), kRegString, tooLong},
      {std::string(129, 'z'), kRegExpandString, tooLong},
      {std::string(258, 'f'), kRegBinary,
       "The value text gives 129 bytes of data, more than the 128 bytes a value can take here.\n"
       "Nothing was written."},
      {"0g", kRegBinary,
       "The value \"0g\" is not binary data: write it as pairs of hexadecimal digits (0-9, A-F), separated "
       "by blanks.\nNothing was written."},
      {"0a,ff", kRegBinary,
       "The value \"0a,ff\" is not binary data: write it as pairs of hexadecimal digits (0-9, A-F), "
       "separated by blanks.\nNothing was written."},
  };
  for (const Case& c : cases) {
    ValueData data = ValueFromText(c.text, c.type);
    EXPECT_EQ(c.error, data.error) << c.text;
    EXPECT_EQ(Bytes{}, data.bytes) << c.text;
  }
}

TEST(DumpText, TypeNameNameAndTextPerLineInCrLf) {
  std::vector<ProgramSection> sections = Sample();
  sections[2].values.push_back({"Odd", 99, "zz"});
  EXPECT_EQ(
      "[Settings]\r\nREG_DWORD Number of MRU files=10 \r\nREG_SZ WindowPos=0 1 2\r\n"
      "[Options]\r\nREG_DWORD Tips=1 \r\nREG_BINARY Blob=0A FF \r\nREG_MULTI_SZ Multi=one\r\n"
      "[Empty]\r\n Odd=zz\r\n",
      DumpText(sections));
  EXPECT_EQ("", DumpText({}));
}

TEST(KeyPath, JoinsWithBackslashes) {
  EXPECT_EQ("Software\\Orlendt Software Applications", KeyPath({}));
  EXPECT_EQ("Software\\Orlendt Software Applications\\Zarvic\\Options", KeyPath({"Zarvic", "Options"}));
}

class GetRegEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryStore store;
    ASSERT_TRUE(store.Open(path_).ok());
    ASSERT_TRUE(store.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
    ASSERT_TRUE(store.SetValue("Zarvic", "Options", {"Multi", 7, {'o', 'n', 'e', 0, 't', 0, 0}}).ok());
    ASSERT_TRUE(store.SetValue("Zarvic", "Options", {"Odd", 300, {'q'}}).ok());
    ASSERT_TRUE(store.AddSection("Other", "Empty").ok());
  }

  testing::TempFolder scratch_;
  std::string path_ = scratch_ / "registry.sqlite3";
  RecordingUserInterface ui_;
  ScopedUserInterface scoped_{ui_};
};

TEST_F(GetRegEntriesTest, ReadsEachLevelAndWarnsOfTypesItCannotShow) {
  RegistryRoot root(path_);
  EXPECT_EQ((std::vector<std::string>{"Zarvic", "Other"}), GetRegEntries(root, {}).subkeys);
  EXPECT_EQ((std::vector<std::string>{"Options"}), GetRegEntries(root, {"Zarvic"}).subkeys);
  EXPECT_TRUE(ui_.messages.empty());

  RegEntries options = GetRegEntries(root, {"ZARVIC", "options"});  // names compare without case
  EXPECT_EQ((std::vector<RegEntryValue>{{"Tips", 4, "1 "}, {"Multi", 7, "one"}, {"Odd", 300, "q"}}),
            options.values);
  EXPECT_EQ((std::vector<std::string>{
                "The value\nSoftware\\Orlendt Software Applications\\ZARVIC\\options\\Multi\n"
                "has the type REG_MULTI_SZ, which is listed as text up to its first NUL byte.\n"
                "Click OK to continue.",
                "The value\nSoftware\\Orlendt Software Applications\\ZARVIC\\options\\Odd\n"
                "has the type REG_UNKNWN_300, which is listed as text up to its first NUL byte.\n"
                "Click OK to continue."}),
            ui_.Texts());
}

TEST_F(GetRegEntriesTest, MissingKeysShowTheirOpenFailure) {
  RegistryRoot root(path_);
  EXPECT_TRUE(GetRegEntries(root, {"Zarvic", "Nowhere"}).values.empty());
  EXPECT_TRUE(GetRegEntries(root, {"Nobody"}).subkeys.empty());
  EXPECT_EQ((std::vector<std::string>{
                "Failed to open key \"Software\\Orlendt Software Applications\\Zarvic\\Nowhere\"\n"
                "There is no section \"Nowhere\" of \"Zarvic\".\n",
                "Failed to open key \"Software\\Orlendt Software Applications\\Nobody\"\n"
                "There is no program \"Nobody\".\n"}),
            ui_.Texts());
}

// Looking at the settings of a user who has none must not create the store.
TEST_F(GetRegEntriesTest, AMissingStoreIsAMissingBaseKeyAndStaysMissing) {
  std::string missing = scratch_ / "none/registry.sqlite3";
  RegistryRoot root(missing);
  EXPECT_TRUE(GetRegEntries(root, {}).subkeys.empty());
  EXPECT_EQ((std::vector<std::string>{"Failed to open key \"Software\\Orlendt Software Applications\"\n"
                                      "The settings store \"" +
                                      missing + "\" does not exist.\n"}),
            ui_.Texts());
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "none"));
}

TEST_F(GetRegEntriesTest, AFileThatIsNotAStoreIsReportedAndLeftAlone) {
  std::string foreign = scratch_ / "foreign.sqlite3";
  testing::WriteFile(foreign, "not a database at all");
  RegistryRoot root(foreign);
  EXPECT_TRUE(GetRegEntries(root, {}).subkeys.empty());
  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_EQ(0u, ui_.messages[0].text.find("Failed to open key \"Software\\Orlendt Software Applications\"\n"));
  EXPECT_EQ("not a database at all", testing::ReadFile(foreign));
}

}  // namespace
}  // namespace zarvic::regutil
