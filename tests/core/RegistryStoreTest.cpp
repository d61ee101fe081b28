#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/RegistryStore.h"
#include "core/ScopedEnv.h"
#include "support/TestFiles.h"

namespace zarvic {
namespace {

using testing::ReadFile;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::WriteFile;

std::vector<std::string> SectionsOf(const RegistryStore& store, const std::string& program) {
  std::vector<std::string> out;
  store.ListSections(program, out);
  return out;
}

std::vector<std::string> ValueNames(const RegistryStore& store, const std::string& program,
                                    const std::string& section) {
  std::vector<RegistryValue> values;
  store.ListValues(program, section, values);
  std::vector<std::string> names;
  for (const auto& v : values) names.push_back(v.name);
  return names;
}

// Runs one SQL text on the file with a connection of its own and returns the first column of the
// first row.
std::string QueryRaw(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_stmt* stmt = nullptr;
  std::string result;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW) {
    const unsigned char* text = sqlite3_column_text(stmt, 0);
    if (text) result = reinterpret_cast<const char*>(text);
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return result;
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = scratch_ / "registry.sqlite3";
    ASSERT_TRUE(store_.Open(path_).ok());
  }

  TempFolder scratch_;
  std::string path_;
  RegistryStore store_;
};

TEST(RegistryStoreOpen, CreatesTheFileAndItsFolders) {
  TempFolder scratch;
  std::string path = scratch / "a/b/registry.sqlite3";
  RegistryStore store;
  StoreResult opened = store.Open(path);
  ASSERT_TRUE(opened.ok()) << opened.error;
  EXPECT_TRUE(std::filesystem::is_regular_file(path));
  std::vector<std::string> programs{"left over"};
  EXPECT_TRUE(store.ListPrograms(programs).ok());
  EXPECT_TRUE(programs.empty());
}

TEST(RegistryStoreOpen, DefaultPathFollowsTheEnvironment) {
  {
    ScopedEnv registry("ZARVIC_REGISTRY", "/some/where/else.sqlite3");
    EXPECT_EQ("/some/where/else.sqlite3", DefaultRegistryPath());
  }
  ScopedEnv registry("ZARVIC_REGISTRY", std::nullopt);
  ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ("/cfg/Orlendt Software Applications/registry.sqlite3", DefaultRegistryPath());
}

TEST_F(RegistryStoreTest, TypedValuesRoundTripWithTheirBytes) {
  const std::vector<RegistryValue> cases = {
      RegistryValue::String("Footer", "Prepared using Zarvic"),
      RegistryValue::String("Empty", ""),
      RegistryValue::String("Accents", "Pr\xC3\xA9par\xC3\xA9"),
      RegistryValue::Binary("Blob", {0x00, 0x0A, 0xFF, 0x00}),
      RegistryValue::Binary("NoBytes", {}),
      RegistryValue::Dword("Minus", -1),
      RegistryValue::Dword("Zero", 0),
      RegistryValue::Dword("Max", INT32_MAX),
      RegistryValue::Dword("Min", INT32_MIN),
      {"Multi", 7, {'a', 0, 'b', 0, 0}},
      {"Quad", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"None", 0, {}},
      {"Odd", 0xFFFFFFFFu, {0xDE, 0xAD}},
  };
  for (const auto& v : cases) ASSERT_TRUE(store_.SetValue("Zarvic", "Types", v).ok()) << v.name;

  RegistryStore reopened;
  ASSERT_TRUE(reopened.Open(path_).ok());
  for (const auto& v : cases) {
    RegistryValue read;
    ASSERT_TRUE(reopened.GetValue("Zarvic", "Types", v.name, read).ok()) << v.name;
    EXPECT_EQ(v, read) << v.name;
  }
  std::vector<RegistryValue> listed;
  ASSERT_TRUE(reopened.ListValues("Zarvic", "Types", listed).ok());
  EXPECT_EQ(cases, listed);
}

TEST(RegistryValueBytes, NumbersAreLittleEndianAndStringsEndAtNul) {
  EXPECT_EQ((std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF}), DwordBytes(-2));
  EXPECT_EQ((std::vector<unsigned char>{0x78, 0x56, 0x34, 0x12}), DwordBytes(0x12345678));
  EXPECT_EQ(std::optional<std::int32_t>(0x12345678), DwordFromBytes({0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(std::nullopt, DwordFromBytes({1, 2, 3}));
  EXPECT_EQ(std::nullopt, DwordFromBytes({1, 2, 3, 4, 5}));
  EXPECT_EQ("ab", StringFromBytes({'a', 'b', 0, 'c'}));
  EXPECT_EQ("abc", StringFromBytes({'a', 'b', 'c'}));
}

TEST_F(RegistryStoreTest, SectionsAndValuesKeepCreationOrder) {
  for (const char* section : {"Settings", "Options", "Report Settings"}) {
    ASSERT_TRUE(store_.AddSection("Zarvic", section).ok());
  }
  for (const char* name : {"Tips", "AtKBN", "SpecialCR"}) {
    ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword(name, 0)).ok());
  }
  // Rewriting a value keeps its place (and the spelling of its name); a value made anew goes last.
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::String("TIPS", "changed")).ok());
  ASSERT_TRUE(store_.DeleteValue("Zarvic", "Options", "AtKBN").ok());
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword("AtKBN", 1)).ok());
  ASSERT_TRUE(store_.DeleteSection("Zarvic", "Settings").ok());
  ASSERT_TRUE(store_.SetValue("Zarvic", "Settings", RegistryValue::Dword("Number of MRU files", 10)).ok());

  EXPECT_EQ((std::vector<std::string>{"Options", "Report Settings", "Settings"}),
            SectionsOf(store_, "Zarvic"));
  EXPECT_EQ((std::vector<std::string>{"Tips", "SpecialCR", "AtKBN"}),
            ValueNames(store_, "Zarvic", "Options"));
  RegistryValue tips;
  ASSERT_TRUE(store_.GetValue("zarvic", "OPTIONS", "tips", tips).ok());
  EXPECT_EQ(RegistryValue::String("Tips", "changed"), tips);
}

TEST_F(RegistryStoreTest, ProgramsAreKeptApart) {
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
  ASSERT_TRUE(store_.SetValue("Other", "Options", RegistryValue::Dword("Tips", 2)).ok());
  std::vector<std::string> programs;
  ASSERT_TRUE(store_.ListPrograms(programs).ok());
  EXPECT_EQ((std::vector<std::string>{"Zarvic", "Other"}), programs);
  ASSERT_TRUE(store_.DeleteSection("Other", "Options").ok());
  RegistryValue tips;
  ASSERT_TRUE(store_.GetValue("Zarvic", "Options", "Tips", tips).ok());
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), tips);
  EXPECT_TRUE(SectionsOf(store_, "Other").empty());
}

TEST_F(RegistryStoreTest, MissingAndExistingThingsAreToldApart) {
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
  ASSERT_TRUE(store_.AddSection("Zarvic", "Empty").ok());
  RegistryValue value;
  std::vector<std::string> names;
  std::vector<RegistryValue> values;
  struct Case {
    const char* what;
    std::function<StoreResult()> run;
    StoreStatus expected;
  };
  const std::vector<Case> cases = {
      {"value of a missing program", [&] { return store_.GetValue("Nope", "Options", "Tips", value); },
       StoreStatus::NotFound},
      {"value of a missing section", [&] { return store_.GetValue("Zarvic", "Nope", "Tips", value); },
       StoreStatus::NotFound},
      {"missing value", [&] { return store_.GetValue("Zarvic", "Options", "Nope", value); },
       StoreStatus::NotFound},
      {"sections of a missing program", [&] { return store_.ListSections("Nope", names); },
       StoreStatus::NotFound},
      {"values of a missing section", [&] { return store_.ListValues("Zarvic", "Nope", values); },
       StoreStatus::NotFound},
      {"values of an empty section", [&] { return store_.ListValues("Zarvic", "Empty", values); },
       StoreStatus::Ok},
      {"has a missing section", [&] { return store_.HasSection("Zarvic", "Nope"); }, StoreStatus::NotFound},
      {"has an empty section", [&] { return store_.HasSection("Zarvic", "empty"); }, StoreStatus::Ok},
      {"delete a missing value", [&] { return store_.DeleteValue("Zarvic", "Options", "Nope"); },
       StoreStatus::NotFound},
      {"delete a value of a missing section", [&] { return store_.DeleteValue("Zarvic", "Nope", "Tips"); },
       StoreStatus::NotFound},
      {"delete a missing section", [&] { return store_.DeleteSection("Zarvic", "Nope"); },
       StoreStatus::NotFound},
      {"add an existing value",
       [&] { return store_.AddValue("Zarvic", "Options", RegistryValue::Dword("TIPS", 5)); },
       StoreStatus::AlreadyExists},
      {"add an existing section", [&] { return store_.AddSection("Zarvic", "OPTIONS"); },
       StoreStatus::AlreadyExists},
      {"section without a name", [&] { return store_.SetValue("Zarvic", "", RegistryValue::Dword("X", 1)); },
       StoreStatus::Failed},
      {"program without a name", [&] { return store_.AddSection("", "Options"); }, StoreStatus::Failed},
  };
  for (const auto& c : cases) {
    StoreResult result = c.run();
    EXPECT_EQ(c.expected, result.status) << c.what;
    EXPECT_EQ(result.ok(), result.error.empty()) << c.what << ": " << result.error;
  }
  // None of the refused writes changed anything.
  ASSERT_TRUE(store_.GetValue("Zarvic", "Options", "Tips", value).ok());
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), value);
  EXPECT_EQ((std::vector<std::string>{"Options", "Empty"}), SectionsOf(store_, "Zarvic"));
}

TEST_F(RegistryStoreTest, AddValueCreatesWhatIsMissing) {
  ASSERT_TRUE(store_.AddValue("Zarvic", "New", RegistryValue::String("Name", "text")).ok());
  RegistryValue value;
  ASSERT_TRUE(store_.GetValue("Zarvic", "New", "Name", value).ok());
  EXPECT_EQ(RegistryValue::String("Name", "text"), value);
}

TEST_F(RegistryStoreTest, DeletingASectionTakesItsValuesWithIt) {
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword("AtKBN", 1)).ok());
  ASSERT_TRUE(store_.SetValue("Zarvic", "Special", RegistryValue::Dword("ReportX", 3)).ok());
  ASSERT_TRUE(store_.DeleteSection("Zarvic", "Options").ok());
  ASSERT_TRUE(store_.AddSection("Zarvic", "Options").ok());

  EXPECT_TRUE(ValueNames(store_, "Zarvic", "Options").empty());
  EXPECT_EQ((std::vector<std::string>{"ReportX"}), ValueNames(store_, "Zarvic", "Special"));
  EXPECT_EQ("1", QueryRaw(path_, "SELECT count(*) FROM section_values"));
}

TEST_F(RegistryStoreTest, SeveralValuesAreWrittenAllOrNone) {
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
  // A trigger stands in for a failure half-way (a full disk, say).
  ASSERT_EQ("", QueryRaw(path_,
                         "CREATE TRIGGER refuse BEFORE INSERT ON section_values WHEN NEW.name = 'Poison' "
                         "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
  StoreResult result = store_.SetValues("Zarvic", {{"Options", RegistryValue::Dword("Tips", 0)},
                                                   {"Fresh", RegistryValue::Dword("A", 1)},
                                                   {"Fresh", RegistryValue::Dword("Poison", 1)}});
  EXPECT_EQ(StoreStatus::Failed, result.status);
  EXPECT_NE(std::string::npos, result.error.find("refused")) << result.error;
  RegistryValue tips;
  ASSERT_TRUE(store_.GetValue("Zarvic", "Options", "Tips", tips).ok());
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), tips);
  EXPECT_EQ((std::vector<std::string>{"Options"}), SectionsOf(store_, "Zarvic"));
}

// Files that must be refused, untouched.
std::string ValidStoreBytes(const std::string& path, int values, int userVersion = 0) {
  {
    RegistryStore store;
    store.Open(path);
    std::vector<RegistryEntry> entries;
    for (int i = 0; i < values; ++i) {
      entries.push_back({"Section" + std::to_string(i % 7),
                         RegistryValue::String("Value" + std::to_string(i), std::string(200, 'x'))});
    }
    store.SetValues("Zarvic", entries);
  }
  if (userVersion) QueryRaw(path, "PRAGMA user_version = " + std::to_string(userVersion));
  std::string bytes = ReadFile(path);
  std::filesystem::remove(path);
  return bytes;
}

TEST(RegistryStoreDamage, BadFilesAreReportedAndLeftByteForByte) {
  TempFolder scratch;
  std::string sample = scratch / "sample.sqlite3";
  std::string store = ValidStoreBytes(sample, 300);
  ASSERT_GT(store.size(), 8192u);
  std::string corrupted = store;
  for (size_t i = 4096; i < corrupted.size(); i += 7) corrupted[i] = static_cast<char>(corrupted[i] ^ 0x5A);
  std::string random(4096, '\0');
  for (size_t i = 0; i < random.size(); ++i) random[i] = static_cast<char>((i * 2654435761u) >> 13);

  std::string foreign;
  {
    sqlite3* db = nullptr;
    sqlite3_open(sample.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE accounts (id INTEGER, owner TEXT); INSERT INTO accounts VALUES (1, 'x')",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    foreign = ReadFile(sample);
    std::filesystem::remove(sample);
  }

  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"text", "[Options]\nTips=1\n"},
      {"random bytes", random},
      {"header only", store.substr(0, 100)},
      {"truncated store", store.substr(0, 4096)},
      {"corrupted pages", corrupted},
      {"database of another program", foreign},
      {"store of a newer version", ValidStoreBytes(sample, 3, 2)},
  };
  for (const auto& c : cases) {
    std::string path = scratch / "registry.sqlite3";
    WriteFile(path, c.bytes);
    RegistryStore opened;
    StoreResult result = opened.Open(path);
    EXPECT_EQ(StoreStatus::Failed, result.status) << c.what;
    EXPECT_NE(std::string::npos, result.error.find(path)) << c.what << ": " << result.error;
    EXPECT_FALSE(opened.IsOpen()) << c.what;
    EXPECT_FALSE(opened.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok()) << c.what;
    opened.Close();
    EXPECT_TRUE(ReadFile(path) == c.bytes) << c.what << ": the file was changed";
    EXPECT_FALSE(std::filesystem::exists(path + "-journal")) << c.what;
    std::filesystem::remove(path);
  }
}

TEST(RegistryStoreDamage, AFolderIsNoStore) {
  TempFolder scratch;
  RegistryStore store;
  StoreResult result = store.Open(scratch.path());
  EXPECT_EQ(StoreStatus::Failed, result.status);
  EXPECT_FALSE(result.error.empty());
}

TEST_F(RegistryStoreTest, TwoConnectionsSeeEachOthersWrites) {
  RegistryStore other;
  ASSERT_TRUE(other.Open(path_).ok());
  for (int i = 0; i < 20; ++i) {
    RegistryStore& writer = i % 2 ? other : store_;
    RegistryStore& reader = i % 2 ? store_ : other;
    ASSERT_TRUE(writer.SetValue("Zarvic", "Shared", RegistryValue::Dword("N" + std::to_string(i), i)).ok());
    RegistryValue read;
    ASSERT_TRUE(reader.GetValue("Zarvic", "Shared", "N" + std::to_string(i), read).ok());
    EXPECT_EQ(RegistryValue::Dword("N" + std::to_string(i), i), read);
  }
  EXPECT_EQ(20u, ValueNames(other, "Zarvic", "Shared").size());
}

TEST_F(RegistryStoreTest, AWriterWaitsWhileAnotherHoldsTheLock) {
  ASSERT_TRUE(store_.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
  ASSERT_TRUE(store_.SetValue("Zarvic", "Special", RegistryValue::Dword("ReportX", 1)).ok());
  // Some writes read first; they too must wait for the lock rather than give up at once.
  struct Case {
    const char* what;
    std::function<StoreResult()> write;
  };
  const std::vector<Case> cases = {
      {"set", [&] { return store_.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 0)); }},
      {"add", [&] { return store_.AddValue("Zarvic", "Options", RegistryValue::Dword("AtKBN", 0)); }},
      {"delete a value", [&] { return store_.DeleteValue("Zarvic", "Options", "Tips"); }},
      {"add a section", [&] { return store_.AddSection("Zarvic", "Settings"); }},
      {"delete a section", [&] { return store_.DeleteSection("Zarvic", "Special"); }},
  };
  for (const auto& c : cases) {
    sqlite3* holder = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path_.c_str(), &holder));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(holder,
                                      "BEGIN IMMEDIATE; INSERT INTO programs (name) VALUES ('Holder') "
                                      "ON CONFLICT DO NOTHING",
                                      nullptr, nullptr, nullptr));
    std::thread release([holder] {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    });
    StoreResult written = c.write();
    release.join();
    sqlite3_close(holder);
    EXPECT_TRUE(written.ok()) << c.what << ": " << written.error;
  }
  std::vector<std::string> programs;
  ASSERT_TRUE(store_.ListPrograms(programs).ok());
  EXPECT_EQ((std::vector<std::string>{"Zarvic", "Holder"}), programs);
  EXPECT_EQ((std::vector<std::string>{"Options", "Settings"}), SectionsOf(store_, "Zarvic"));
  EXPECT_EQ((std::vector<std::string>{"AtKBN"}), ValueNames(store_, "Zarvic", "Options"));
}

TEST(RegistryStoreConcurrency, TwoProcessesWritingAtOnceLoseNothing) {
  TempFolder scratch;
  // Neither process finds the file: they also race to create it.
  const std::string path = scratch / "new/registry.sqlite3";
  constexpr int kWriters = 2;
  constexpr int kValues = 50;
  int go[2];
  ASSERT_EQ(0, pipe(go));
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(go[1]);
      char c;
      if (read(go[0], &c, 1) != 0) _exit(3);  // wait until the parent lets both go
      RegistryStore store;
      if (!store.Open(path).ok()) _exit(1);
      for (int i = 0; i < kValues; ++i) {
        std::string name = "W" + std::to_string(w) + "-" + std::to_string(i);
        // Both write into one shared section and into one of their own.
        if (!store.SetValue("Zarvic", "Shared", RegistryValue::Dword(name, i)).ok()) _exit(2);
        if (!store.SetValue("Zarvic", "Own" + std::to_string(w), RegistryValue::String(name, name)).ok())
          _exit(2);
      }
      _exit(0);
    }
    children.push_back(pid);
  }
  close(go[0]);
  close(go[1]);  // both start now
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
  }

  RegistryStore store;
  ASSERT_TRUE(store.Open(path).ok());
  std::vector<RegistryValue> shared;
  ASSERT_TRUE(store.ListValues("Zarvic", "Shared", shared).ok());
  EXPECT_EQ(static_cast<size_t>(kWriters * kValues), shared.size());
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kValues; ++i) {
      std::string name = "W" + std::to_string(w) + "-" + std::to_string(i);
      RegistryValue number, text;
      ASSERT_TRUE(store.GetValue("Zarvic", "Shared", name, number).ok()) << name;
      EXPECT_EQ(RegistryValue::Dword(name, i), number);
      ASSERT_TRUE(store.GetValue("Zarvic", "Own" + std::to_string(w), name, text).ok()) << name;
      EXPECT_EQ(RegistryValue::String(name, name), text);
    }
  }
  EXPECT_EQ("ok", QueryRaw(path, "PRAGMA integrity_check"));
}

}  // namespace
}  // namespace zarvic
