#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <random>

#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/UserInterface.h"
#include "ratetables/TableFile.h"
#include "ratetables/TableImage.h"
#include "ratetables/TableOperations.h"
#include "support/LookupCounter.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::Bytes;
using testing::LineImage;
using testing::ReadFile;
using testing::TableImage;
using testing::TempFolder;
using testing::WriteFile;

std::uint16_t U16At(const std::string& s, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                    (static_cast<unsigned char>(s[at + 1]) << 8));
}

class TableFileTest : public ::testing::Test {
 protected:
  TableFileTest() : ui_guard_(ui_) {}
  void SetUp() override { SetProgramFolder(program_.path()); }
  void TearDown() override { SetProgramFolder(""); }

  std::unique_ptr<RateTable> Load(const std::string& path, bool* ok = nullptr,
                                  TableLoadStatus* status = nullptr) {
    auto t = std::make_unique<RateTable>();
    bool result = LoadTable(*t, path, true, status);
    if (ok) *ok = result;
    return t;
  }

  RecordingUserInterface ui_;
  ScopedUserInterface ui_guard_;
  TempFolder dir_;
  TempFolder program_;
};

TEST_F(TableFileTest, ReadsEveryFieldOfAFileBuiltByteByByte) {
  TableImage image;
  image.version = 5;
  image.reserved4 = 0x5A;
  image.endDate = MakeDate(3, 31, 2026);
  image.description = "State rates";
  image.vendorFlag = 7;
  image.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365},
                 {MakeDate(7, 1, 1995), 3, 8.5, 10.2, 7.5, 100}};
  image.notes = "line one\r\nline two";
  WriteFile(dir_ / "STATE.TB3", image.File());

  bool ok = false;
  auto t = Load(dir_ / "STATE.TB3", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(3, t->formatMark);
  EXPECT_EQ(5, t->version);
  EXPECT_EQ(2, t->lineCount);
  EXPECT_EQ(0x5A, t->reserved4);
  EXPECT_EQ(MakeDate(3, 31, 2026), t->endDate);
  EXPECT_EQ("State rates", t->description);
  EXPECT_EQ(7, t->vendorFlag);
  EXPECT_EQ("line one\r\nline two", t->notes);
  EXPECT_EQ("STATE", t->name);
  RateLine second{MakeDate(7, 1, 1995), 3, 8.5, 10.2, 7.5, 100};
  EXPECT_EQ(second, t->lines[1]);
  EXPECT_FALSE(t->lines[2].IsUsed());
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(TableFileTest, WritesTheHeaderLinesAndNotesByteForByte) {
  auto t = std::make_unique<RateTable>();
  ClearTable(*t);
  t->reserved4 = 0x42;
  t->endDate = MakeDate(12, 31, 1996);
  t->description = "My table";
  t->vendorFlag = 9;  // every save writes a user's table
  t->lines[0] = {MakeDate(1, 1, 1996), 2, 8.0, 9.6, 7.0, 366};
  t->lines[1] = {MakeDate(7, 1, 1996), 1, 8.25, 9.9, 7.25, 365};
  t->lines[3] = {MakeDate(1, 1, 1997), 2, 1.0, 1.0, 1.0, 100};  // after a free line: not counted
  SetNotes(*t, "abc");
  ASSERT_TRUE(SaveTable(*t, dir_ / "MINE"));

  std::string file = ReadFile(dir_ / "MINE.TB3");
  ASSERT_EQ(136u + 2 * 30 + 3, file.size());
  EXPECT_EQ(3, file[0]);
  EXPECT_EQ(4, file[1]);  // the code 100 line is past the first free line
  EXPECT_EQ(2, U16At(file, 2));
  EXPECT_EQ(0x42, file[4]);
  EXPECT_EQ(std::string(19, '\0'), file.substr(5, 19));
  EXPECT_EQ(MakeDate(12, 31, 1996), U16At(file, 24));
  for (int i = 26; i < 30; ++i) EXPECT_TRUE(std::isupper(static_cast<unsigned char>(file[i]))) << i;
  EXPECT_EQ(1, U16At(file, 30));
  EXPECT_EQ(3, U16At(file, 32));
  EXPECT_EQ(std::string(4, '\0'), file.substr(34, 4));
  EXPECT_EQ(std::string("My table") + std::string(94 - 8, '\0'), file.substr(38, 94));
  EXPECT_EQ(0, U16At(file, 132));
  EXPECT_EQ(0, U16At(file, 134));
  EXPECT_EQ(TableImage::Line({MakeDate(1, 1, 1996), 2, 8.0, 9.6, 7.0, 366}), file.substr(136, 30));
  EXPECT_EQ(TableImage::Line({MakeDate(7, 1, 1996), 1, 8.25, 9.9, 7.25, 365}), file.substr(166, 30));
  EXPECT_EQ("abc", file.substr(196));
  EXPECT_EQ(0, t->vendorFlag);
  EXPECT_EQ(2, t->lineCount);
}

TEST_F(TableFileTest, VersionFollowsTheDaysPerYearCodes) {
  struct Case {
    std::uint16_t first, second;
    int version;
  };
  for (const Case& c : {Case{365, 366, 4}, Case{366, 365, 4}, Case{365, 100, 5}, Case{100, 366, 5}}) {
    SCOPED_TRACE(std::to_string(c.first) + "/" + std::to_string(c.second));
    auto t = std::make_unique<RateTable>();
    t->lines[0] = {MakeDate(1, 1, 2000), 2, 8, 9.6, 8, c.first};
    t->lines[1] = {MakeDate(1, 1, 2001), 2, 9, 10.8, 9, c.second};
    ASSERT_TRUE(SaveTable(*t, dir_ / "V.TB3"));
    EXPECT_EQ(c.version, ReadFile(dir_ / "V.TB3")[1]);

    bool ok = false;
    auto back = Load(dir_ / "V.TB3", &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(c.version, back->version);
    EXPECT_EQ(t->lines[1], back->lines[1]);
  }
}

TEST_F(TableFileTest, NewerVersionIsRefusedWith20001) {
  TableImage image;
  image.version = 6;
  image.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365}};
  WriteFile(dir_ / "NEW.TB3", image.File());

  auto t = std::make_unique<RateTable>();
  t->name = "KEPT";
  TableLoadStatus status{};
  EXPECT_FALSE(LoadTable(*t, dir_ / "NEW.TB3", true, &status));
  EXPECT_EQ(TableLoadStatus::NewerVersion, status);
  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_EQ(std::string(StringText(20001)), ui_.messages[0].text);
  EXPECT_NE(std::string::npos, ui_.messages[0].text.find("newer version of Zarvic"));
  EXPECT_EQ("KEPT", t->name);

  EXPECT_FALSE(LoadTable(*t, dir_ / "NEW.TB3", false));
  EXPECT_EQ(1u, ui_.messages.size());  // quiet load
}

// Regression: a FIFO in place of a table (a problem file may name any table) hung the open.
TEST_F(TableFileTest, FifoIsNotATableAndDoesNotHang) {
  std::string fifo = dir_ / "PIPE.TB3";
  ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
  TableLoadStatus status = TableLoadStatus::Loaded;
  bool ok = true;
  Load(fifo, &ok, &status);
  EXPECT_FALSE(ok);
  EXPECT_NE(TableLoadStatus::Loaded, status);
}

TEST_F(TableFileTest, NameIsTheFileNameWithoutFolderAndExtension) {
  struct Case {
    const char* path;
    const char* name;
  };
  for (const Case& c : {Case{"/rates/MY.TABLE.TB3", "MY.TABLE"}, Case{"/rates/FEDERAL", "FEDERAL"},
                        Case{"/ra.tes/STATE", "STATE"}, Case{"X.TB2", "X"}, Case{"rates/.TB3", ""}}) {
    EXPECT_EQ(c.name, TableNameFromPath(c.path)) << c.path;
  }
  TableImage image;
  image.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365}};
  WriteFile(dir_ / "MY.TABLE.TB3", image.File());
  bool ok = false;
  EXPECT_EQ("MY.TABLE", Load(dir_ / "MY.TABLE.TB3", &ok)->name);
  EXPECT_TRUE(ok);
}

TEST_F(TableFileTest, ShortExtensionRule) {
  EXPECT_EQ("FEDERAL.TB3", WithShortExtension("FEDERAL", ".TB3"));
  EXPECT_EQ("FEDERAL.TB3", WithShortExtension("FEDERAL.TB2", ".TB3"));
  EXPECT_EQ("X.TB3", WithShortExtension("X.T", ".TB3"));
  EXPECT_EQ("MY.TABLE.TB3", WithShortExtension("MY.TABLE", ".TB3"));
  EXPECT_EQ("a.b/cd.TB3", WithShortExtension("a.b/cd", ".TB3"));
  EXPECT_EQ("*.TB3", WithShortExtension("*.*", ".TB3"));
}

// "FEDERAL" (no folder, no extension) as a new problem or a problem file names it.
class TableSearchTest : public TableFileTest {
 protected:
  void Put(const std::string& path, const std::string& description) {
    TableImage image;
    image.description = description;
    image.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365}};
    WriteFile(path, image.File());
  }
  // Loads "FEDERAL" from the current folder dir_; returns the description found, or "-" for none.
  std::string Found(const std::string& what = "FEDERAL") {
    testing::ScopedCurrentFolder cd(dir_.path());
    auto t = std::make_unique<RateTable>();
    TableLoadStatus status{};
    if (!LoadTable(*t, what, true, &status)) return status == TableLoadStatus::NotFound ? "-" : "failed";
    EXPECT_EQ(TableNameFromPath(what), t->name);
    return t->description;
  }
};

TEST_F(TableSearchTest, CurrentFolderComesBeforeTheProgramFolder) {
  Put(dir_ / "FEDERAL.TB3", "current");
  Put(program_ / "FEDERAL.TB3", "program");
  EXPECT_EQ("current", Found());
}

TEST_F(TableSearchTest, ProgramFolderIsTheLastPlace) {
  Put(program_ / "FEDERAL.TB3", "program");
  EXPECT_EQ("program", Found());
  EXPECT_EQ("program", Found("FEDERAL.TB2"));  // the last step replaces a short extension
}

TEST_F(TableSearchTest, OlderGenerationAfterTb3) {
  Put(dir_ / "FEDERAL.TB2", "old");
  Put(program_ / "FEDERAL.TB3", "program");
  EXPECT_EQ("old", Found());
  Put(dir_ / "FEDERAL.TB3", "new");
  EXPECT_EQ("new", Found());
}

TEST_F(TableSearchTest, PathItselfComesFirst) {
  Put(dir_ / "FEDERAL", "bare");
  Put(dir_ / "FEDERAL.TB3", "tb3");
  EXPECT_EQ("bare", Found());
}

TEST_F(TableSearchTest, ExtensionsMatchWithoutRegardToCase) {
  Put(dir_ / "federal.tb3", "lower");
  EXPECT_EQ("lower", Found("federal"));
  EXPECT_EQ("-", Found("FEDERAL"));  // only the extension's case is free
}

TEST_F(TableSearchTest, NothingFoundFailsSilently) {
  std::filesystem::create_directory(dir_ / "FEDERAL.TB3");  // a folder is no table
  EXPECT_EQ("-", Found());
  EXPECT_EQ("-", Found(""));
  EXPECT_TRUE(ui_.messages.empty());
}

// Files that end early or lie about their sizes fail cleanly (run under the sanitizers).
TEST_F(TableFileTest, DamagedFilesFailWithoutReadingPastTheirEnd) {
  TableImage two;
  two.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365}, {MakeDate(7, 1, 1995), 2, 8.0, 9.6, 7.0, 365}};
  const std::string good = two.File();

  TableImage over = two;
  over.lineCount = 501;
  std::string overFile = over.File() + std::string(30 * 600, '\x01');
  TableImage huge = two;
  huge.lineCount = 0xFFFF;

  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"one byte", "\x03"},
      {"header less one byte", good.substr(0, 135)},
      {"header only, lines announced", good.substr(0, 136)},
      {"second line cut", good.substr(0, 136 + 30 + 29)},
      {"more than 500 lines", overFile},
      {"65535 lines announced", huge.File()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(dir_ / "BAD.TB3", c.bytes);
    auto t = std::make_unique<RateTable>();
    t->name = "BEFORE";
    TableLoadStatus status{};
    EXPECT_FALSE(LoadTable(*t, dir_ / "BAD.TB3", true, &status));
    EXPECT_EQ(TableLoadStatus::Damaged, status);
    EXPECT_EQ("BEFORE", t->name);  // left as it was
  }
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(TableFileTest, NotesShorterThanAnnouncedAreDropped) {
  TableImage image;
  image.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365}};
  image.notes = "short";
  image.notesLength = 0xFFFF;
  WriteFile(dir_ / "N.TB3", image.File());
  bool ok = false;
  auto t = Load(dir_ / "N.TB3", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ("", t->notes);
  EXPECT_TRUE(t->lines[0].IsUsed());
}

TEST_F(TableFileTest, DescriptionWithoutTerminatorStopsAtItsField) {
  TableImage image;
  image.description = std::string(94, 'D');
  image.vendorFlag = 0x4141;
  WriteFile(dir_ / "D.TB3", image.File());
  bool ok = false;
  auto t = Load(dir_ / "D.TB3", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(std::string(94, 'D'), t->description);

  ASSERT_TRUE(SaveTable(*t, dir_ / "D.TB3"));  // written with its terminator
  std::string file = ReadFile(dir_ / "D.TB3");
  EXPECT_EQ(std::string(93, 'D') + '\0', file.substr(38, 94));
}

TEST_F(TableFileTest, RandomBytesNeverCrashTheReader) {
  std::mt19937 random(20260401);
  TableImage image;
  image.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365}};
  image.notes = "notes";
  const std::string good = image.File();
  for (int round = 0; round < 300; ++round) {
    std::string bytes = good;
    if (round % 3 == 0) bytes.resize(random() % (good.size() + 1));
    for (int flips = 0; flips < 4 && !bytes.empty(); ++flips) {
      bytes[random() % bytes.size()] = static_cast<char>(random());
    }
    if (round % 5 == 0) bytes += std::string(random() % 4000, static_cast<char>(random()));
    WriteFile(dir_ / "R.TB3", bytes);
    auto t = std::make_unique<RateTable>();
    LoadTable(*t, dir_ / "R.TB3", false);
    EXPECT_LE(UsedLineCount(*t), kMaxRateLines);
  }
}

TEST_F(TableFileTest, SaveForcesTheTb3Extension) {
  auto t = std::make_unique<RateTable>();
  t->lines[0] = {MakeDate(1, 1, 2000), 2, 8, 9.6, 8, 366};
  ASSERT_TRUE(SaveTable(*t, dir_ / "A.DAT"));
  ASSERT_TRUE(SaveTable(*t, dir_ / "B"));
  EXPECT_EQ((std::vector<std::string>{"A.TB3", "B.TB3"}), dir_.Entries());
}

TEST_F(TableFileTest, SaveReplacesTheOldFileAndLeavesNoTemporaryFile) {
  auto t = std::make_unique<RateTable>();
  t->lines[0] = {MakeDate(1, 1, 2000), 2, 8, 9.6, 8, 366};
  WriteFile(dir_ / "T.TB3", std::string(5000, 'x'));
  ASSERT_TRUE(SaveTable(*t, dir_ / "T.TB3"));
  EXPECT_EQ(136u + 30, ReadFile(dir_ / "T.TB3").size());
  EXPECT_EQ((std::vector<std::string>{"T.TB3"}), dir_.Entries());
}

TEST_F(TableFileTest, SaveReplacesAFileWhoseExtensionDiffersInCase) {
  auto t = std::make_unique<RateTable>();
  t->lines[0] = {MakeDate(1, 1, 2000), 2, 8, 9.6, 8, 366};
  WriteFile(dir_ / "rates.tb3", "old");
  ASSERT_TRUE(SaveTable(*t, dir_ / "rates"));
  EXPECT_EQ((std::vector<std::string>{"rates.tb3"}), dir_.Entries());
  EXPECT_EQ(136u + 30, ReadFile(dir_ / "rates.tb3").size());
}

TEST_F(TableFileTest, SaveFailureIsReportedAndWritesNothing) {
  auto t = std::make_unique<RateTable>();
  t->lines[0] = {MakeDate(1, 1, 2000), 2, 8, 9.6, 8, 366};
  t->version = 4;
  std::filesystem::create_directory(dir_ / "DIR.TB3");
  for (const std::string& path : {dir_ / "missing/T.TB3", dir_ / "DIR"}) {
    ui_.messages.clear();
    EXPECT_FALSE(SaveTable(*t, path)) << path;
    EXPECT_EQ((std::vector<std::string>{"Error saving table"}), ui_.Texts());
  }
  EXPECT_EQ((std::vector<std::string>{"DIR.TB3"}), dir_.Entries());
  EXPECT_EQ(0, t->formatMark);  // a failed save leaves the table as it was
}

// A run reads each table once; a table whose file changed is read again, whether it was saved over
// (a new file of the same size) or rewritten in place. Outside a run every load reads.
TEST_F(TableFileTest, ARunReadsATableOnceUntilItsFileChanges) {
  TableImage image;
  image.description = "first";
  image.lines = {{MakeDate(1, 1, 1995), 2, 9.0, 10.8, 8.0, 365}};
  WriteFile(dir_ / "RATES.TB3", image.File());
  image.version = 6;
  WriteFile(dir_ / "NEW.TB3", image.File());
  testing::LookupCounter counter;
  auto description = [&] { return Load(dir_ / "RATES")->description; };
  {
    FileLookupScope run;
    for (int i = 0; i < 3; ++i) EXPECT_EQ("first", description());
    EXPECT_EQ(1, counter.Reads());

    auto saved = Load(dir_ / "RATES");
    saved->description = "saved";
    ASSERT_TRUE(SaveTable(*saved, dir_ / "RATES"));
    EXPECT_EQ("saved", description());
    EXPECT_EQ("saved", description());
    EXPECT_EQ(2, counter.Reads());

    image.version = 4;
    image.description = "rewritten";
    image.lines.push_back({MakeDate(7, 1, 1995), 2, 8.0, 9.6, 7.0, 365});
    WriteFile(dir_ / "RATES.TB3", image.File());
    EXPECT_EQ("rewritten", description());
    EXPECT_EQ(3, counter.Reads());

    // A refused table is refused alike each time, with its message when errors are reported.
    for (int i = 0; i < 2; ++i) {
      TableLoadStatus status{};
      Load(dir_ / "NEW.TB3", nullptr, &status);
      EXPECT_EQ(TableLoadStatus::NewerVersion, status);
    }
    EXPECT_EQ(2u, ui_.messages.size());
    EXPECT_EQ(4, counter.Reads());
  }
  description();
  description();
  EXPECT_EQ(6, counter.Reads());
}

TEST_F(TableFileTest, RoundTripKeepsEveryLineOfAFullTable) {
  auto t = std::make_unique<RateTable>();
  for (int i = 0; i < kMaxRateLines; ++i) {
    t->lines[i] = {AddDays(MakeDate(1, 1, 1960), 30 * i),
                   static_cast<std::uint16_t>(i % 6),
                   i * 0.01,
                   -1.5,
                   1e-300,
                   static_cast<std::uint16_t>(i % 2 ? 366 : 365)};
  }
  t->description = "Full";
  SetNotes(*t, std::string(70000, 'n'));
  ASSERT_TRUE(SaveTable(*t, dir_ / "FULL"));
  bool ok = false;
  auto back = Load(dir_ / "FULL", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(500, back->lineCount);
  EXPECT_EQ(t->lines, back->lines);
  EXPECT_EQ(65535u, back->notes.size());
}

}  // namespace
}  // namespace zarvic
