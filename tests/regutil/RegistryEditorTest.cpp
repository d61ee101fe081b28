#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "core/UserInterface.h"
#include "regutil/RegistryEditor.h"
#include "support/TestFiles.h"

namespace zarvic::regutil {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kRegSzRow = 1;
constexpr std::size_t kRegBinaryRow = 3;
constexpr std::size_t kRegDwordRow = 4;
constexpr std::size_t kRegMultiSzRow = 8;

// A store as the calculator leaves it, with a value of a type the utility can only show.
class RegistryEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryStore store;
    ASSERT_TRUE(store.Open(path_).ok());
    ASSERT_TRUE(store.SetValue("Zarvic", "Settings", RegistryValue::Dword("Number of MRU files", 10)).ok());
    ASSERT_TRUE(store.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
    ASSERT_TRUE(
        store.SetValue("Zarvic", "Report Settings", RegistryValue::String("Footer", "Prepared")).ok());
    ASSERT_TRUE(store.AddSection("Another", "Empty").ok());
    editor_.Start();
    ui_.messages.clear();
  }

  RegistryValue Read(const std::string& section, const std::string& name) {
    RegistryStore store;
    RegistryValue value;
    if (!store.Open(path_).ok() || !store.GetValue("Zarvic", section, name, value).ok())
      value.name = "<none>";
    return value;
  }

  void Fill(std::string section, std::string name, std::string value, std::optional<std::size_t> type) {
    editor_.fields = {std::move(section), std::move(name), std::move(value), type};
  }

  testing::TempFolder scratch_;
  std::string path_ = scratch_ / "registry.sqlite3";
  RecordingUserInterface ui_;
  ScopedUserInterface scoped_{ui_};
  RegistryEditor editor_{path_};
};

TEST_F(RegistryEditorTest, StartListsTheFirstOfTheSortedPrograms) {
  EXPECT_EQ((std::vector<std::string>{"Another", "Zarvic"}), editor_.Programs());
  EXPECT_EQ(std::optional<std::size_t>(0), editor_.SelectedProgram());
  EXPECT_EQ("[Empty]\r\n", editor_.Entries().text);
  editor_.SelectProgram(1);
  EXPECT_EQ(
      "[Settings]\r\nNumber of MRU files=10 \r\n[Options]\r\nTips=1 \r\n[Report "
      "Settings]\r\nFooter=Prepared\r\n",
      editor_.Entries().text);
  editor_.SelectProgram(std::nullopt);
  EXPECT_EQ("", editor_.Entries().text);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RegistryEditorTest, PickingFillsTheFieldsAndIsRemembered) {
  editor_.SelectProgram(1);
  editor_.fields.typeIndex = kRegSzRow;
  ASSERT_TRUE(editor_.PickLine(3));  // Tips=1
  EXPECT_EQ("Options", editor_.fields.section);
  EXPECT_EQ("Tips", editor_.fields.name);
  EXPECT_EQ("1", editor_.fields.value);
  EXPECT_EQ(std::optional<std::size_t>(kRegDwordRow), editor_.fields.typeIndex);
  EXPECT_EQ(3u, editor_.RememberedLine());

  ASSERT_TRUE(editor_.PickLine(4));  // [Report Settings]: the type stays
  EXPECT_EQ("Report Settings", editor_.fields.section);
  EXPECT_EQ("", editor_.fields.name);
  EXPECT_EQ("", editor_.fields.value);
  EXPECT_EQ(std::optional<std::size_t>(kRegDwordRow), editor_.fields.typeIndex);

  EXPECT_FALSE(editor_.PickLine(40));
  EXPECT_EQ(4u, editor_.RememberedLine());
  // The remembered line keeps its number when another program is listed.
  editor_.SelectProgram(0);
  EXPECT_EQ(4u, editor_.RememberedLine());
}

TEST_F(RegistryEditorTest, MissingFieldsAreNamed) {
  struct Case {
    EditorFields fields;
    void (RegistryEditor::*operation)();
    std::string message;
  };
  const std::string edit = "Edit function requires Section, Name, and Value to be specified.";
  const std::string add = "Add function requires Section, Name, and Value to be specified.";
  const std::vector<Case> cases = {
      {{"", "Tips", "1", {}}, &RegistryEditor::Save, edit},
      {{"Options", "", "1", {}}, &RegistryEditor::Save, edit},
      {{"Options", "Tips", "", {}}, &RegistryEditor::Save, edit},
      {{"Options", "Tips", "", kRegDwordRow}, &RegistryEditor::Add, add},
      {{"", "Tips", "1", {}}, &RegistryEditor::Add, add},
      {{"Options", "", "", {}},
       &RegistryEditor::Delete,
       "Delete function requires Section and Name to be specified."},
      {{"", "Tips", "", {}},
       &RegistryEditor::Delete,
       "Delete function requires Section and Name to be specified."},
      {{"", "x", "y", {}},
       &RegistryEditor::AddSection,
       "Add Section function requires Section to be specified."},
      {{"", "x", "y", {}},
       &RegistryEditor::DeleteSection,
       "Delete Section function requires Section to be specified."},
  };
  editor_.SelectProgram(1);
  for (const Case& c : cases) {
    ui_.messages.clear();
    editor_.fields = c.fields;
    int listings = editor_.ListingCount();
    (editor_.*c.operation)();
    EXPECT_EQ(std::vector<std::string>{c.message}, ui_.Texts());
    EXPECT_EQ(listings, editor_.ListingCount()) << c.message;
  }
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), Read("Options", "Tips"));
}

TEST_F(RegistryEditorTest, SaveWritesTheTextAsTheChosenOrTheCurrentType) {
  editor_.SelectProgram(1);
  Fill("Report Settings", "Footer", "abc", std::nullopt);
  editor_.Save();
  EXPECT_EQ((RegistryValue{"Footer", kRegString, {'a', 'b', 'c'}}), Read("Report Settings", "Footer"));

  Fill("options", "TIPS", "0", std::nullopt);  // names compare without regard to case
  editor_.Save();
  EXPECT_EQ(RegistryValue::Dword("Tips", 0), Read("Options", "Tips"));

  Fill("Options", "Tips", "0a ff", kRegBinaryRow);
  editor_.Save();
  EXPECT_EQ(RegistryValue::Binary("Tips", {0x0A, 0xFF}), Read("Options", "Tips"));
  EXPECT_EQ("Tips=0A FF ", editor_.Entries().lines[3]);
  EXPECT_TRUE(ui_.messages.empty());
}

// Regression: the current value was read into a buffer sized by the new text, so a shorter text could
// not be saved over a longer value ("could not be read").
TEST_F(RegistryEditorTest, SaveOfAShortTextOverALongValue) {
  editor_.SelectProgram(1);
  Fill("Report Settings", "Footer", std::string(128, 'x'), std::nullopt);
  editor_.Save();
  Fill("Report Settings", "Footer", "ok", std::nullopt);
  editor_.Save();
  EXPECT_EQ(RegistryValue::String("Footer", "ok"), Read("Report Settings", "Footer"));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RegistryEditorTest, SaveFailuresLeaveTheValueAndTheListing) {
  editor_.SelectProgram(1);
  struct Case {
    EditorFields fields;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"Nowhere", "Tips", "1", {}},
       "Failed to open key \"Software\\Orlendt Software Applications\\Zarvic\\Nowhere\"\n"
       "There is no section \"Nowhere\" of \"Zarvic\".\n"},
      {{"Options", "Nope", "1", {}},
       "The value Software\\Orlendt Software Applications\\Zarvic\\Options\\Nope could not be read.\n"
       "The value Zarvic\\Options\\Nope does not exist.\n"},
      {{"Options", "Tips", "12 zz", kRegBinaryRow},
       "The value \"12 zz\" is not binary data: write it as pairs of hexadecimal digits (0-9, A-F), "
       "separated "
       "by blanks.\nNothing was written."},
      {{"Options", "Tips", std::string(129, 'z'), kRegSzRow},
       "The value text gives 129 bytes of data, more than the 128 bytes a value can take here.\nNothing was "
       "written."},
  };
  for (const Case& c : cases) {
    ui_.messages.clear();
    editor_.fields = c.fields;
    int listings = editor_.ListingCount();
    editor_.Save();
    EXPECT_EQ(std::vector<std::string>{c.message}, ui_.Texts());
    EXPECT_EQ(listings, editor_.ListingCount());
  }
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), Read("Options", "Tips"));
}

TEST_F(RegistryEditorTest, AddCreatesNewValuesOnly) {
  editor_.SelectProgram(1);
  Fill("Options", "Tips", "5", kRegDwordRow);
  editor_.Add();
  EXPECT_EQ(
      std::vector<std::string>{"The value Software\\Orlendt Software Applications\\Zarvic\\Options\\Tips "
                               "already exists\n"},
      ui_.Texts());
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), Read("Options", "Tips"));

  ui_.messages.clear();
  Fill("Options", "Count", "7", kRegDwordRow);
  editor_.Add();
  EXPECT_EQ(RegistryValue::Dword("Count", 7), Read("Options", "Count"));
  EXPECT_EQ("Count=7 ", editor_.Entries().lines[4]);

  // With no type chosen nothing is written and nothing is said; the listing is shown again.
  int listings = editor_.ListingCount();
  Fill("Options", "Untyped", "7", std::nullopt);
  editor_.Add();
  EXPECT_EQ("<none>", Read("Options", "Untyped").name);
  EXPECT_EQ(listings + 1, editor_.ListingCount());
  // A type the utility cannot write does the same.
  Fill("Options", "Multi", "a", kRegMultiSzRow);
  editor_.Add();
  EXPECT_EQ("<none>", Read("Options", "Multi").name);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RegistryEditorTest, DeleteRemovesAnExistingValue) {
  editor_.SelectProgram(1);
  Fill("Options", "Gone", "", std::nullopt);
  editor_.Delete();
  EXPECT_EQ(
      std::vector<std::string>{"The value Software\\Orlendt Software Applications\\Zarvic\\Options\\Gone "
                               "does not exist\n"},
      ui_.Texts());
  ui_.messages.clear();
  Fill("Options", "tips", "", std::nullopt);
  editor_.Delete();
  EXPECT_EQ("<none>", Read("Options", "Tips").name);
  EXPECT_EQ("[Options]", editor_.Entries().lines[2]);
  EXPECT_EQ("[Report Settings]", editor_.Entries().lines[3]);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RegistryEditorTest, AddAndDeleteSection) {
  editor_.SelectProgram(1);
  Fill("Options", "", "", std::nullopt);
  editor_.AddSection();
  EXPECT_EQ(
      std::vector<std::string>{
          "Section \"Software\\Orlendt Software Applications\\Zarvic\\Options\" already exists."},
      ui_.Texts());
  ui_.messages.clear();

  Fill("New", "", "", std::nullopt);
  editor_.AddSection();
  EXPECT_EQ("[New]", editor_.Entries().lines.back());
  // An empty section goes without a question.
  editor_.DeleteSection();
  EXPECT_EQ("Footer=Prepared", editor_.Entries().lines.back());
  EXPECT_TRUE(ui_.messages.empty());

  // One with values asks first; No keeps it.
  ui_.answers = {Answer::No, Answer::Yes};
  Fill("Options", "", "", std::nullopt);
  editor_.DeleteSection();
  const std::string question =
      "Section \"Options\" contains subkeys or values that will also be deleted.\nDo you want to delete it "
      "anyway?";
  ASSERT_EQ(1u, ui_.messages.size());
  EXPECT_EQ(question, ui_.messages[0].text);
  EXPECT_EQ(MessageKind::YesNo, ui_.messages[0].kind);
  EXPECT_EQ(RegistryValue::Dword("Tips", 1), Read("Options", "Tips"));
  editor_.DeleteSection();
  EXPECT_EQ("<none>", Read("Options", "Tips").name);
  EXPECT_EQ((std::vector<std::string>{"[Settings]", "Number of MRU files=10 ", "[Report Settings]",
                                      "Footer=Prepared"}),
            editor_.Entries().lines);

  ui_.messages.clear();
  editor_.DeleteSection();
  EXPECT_EQ(
      std::vector<std::string>{
          "Failed to open key \"Software\\Orlendt Software Applications\\Zarvic\\Options\"\n"
          "There is no section \"Options\" of \"Zarvic\".\n"},
      ui_.Texts());
}

TEST_F(RegistryEditorTest, AnUnknownTypeWarnsAtEveryListing) {
  {
    RegistryStore store;
    ASSERT_TRUE(store.Open(path_).ok());
    ASSERT_TRUE(
        store.SetValue("Zarvic", "Options", {"Multi", 7, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}}).ok());
  }
  editor_.SelectProgram(1);
  editor_.ShowEntries();
  EXPECT_EQ("Multi=one", editor_.Entries().lines[4]);
  EXPECT_EQ(7, editor_.Entries().lineTypes[4]);
  const std::string warning =
      "The value\nSoftware\\Orlendt Software Applications\\Zarvic\\Options\\Multi\n"
      "has the type REG_MULTI_SZ, which is listed as text up to its first NUL byte.\nClick OK to continue.";
  EXPECT_EQ((std::vector<std::string>{warning, warning}), ui_.Texts());
  ASSERT_TRUE(editor_.PickLine(4));
  EXPECT_EQ(std::optional<std::size_t>(kRegMultiSzRow), editor_.fields.typeIndex);
}

TEST_F(RegistryEditorTest, DumpWritesTheSelectedProgramInCrLfLines) {
  editor_.SelectProgram(1);
  std::string file = scratch_ / kDumpFileName;
  testing::WriteFile(file,
                     "old contents that are longer than the new ones ......................................");
  editor_.DumpToFile(file);
  EXPECT_EQ(
      "[Settings]\r\nREG_DWORD Number of MRU files=10 \r\n[Options]\r\nREG_DWORD Tips=1 \r\n"
      "[Report Settings]\r\nREG_SZ Footer=Prepared\r\n",
      testing::ReadFile(file));
  EXPECT_TRUE(ui_.messages.empty());

  editor_.DumpToFile(scratch_ / "no-such-folder/ZrvNetReg.txt");
  EXPECT_EQ(
      std::vector<std::string>{"The settings could not be written to " +
                               (scratch_ / "no-such-folder/ZrvNetReg.txt") + ":\nNo such file or directory"},
      ui_.Texts());
}

// "Dump to File" asks where to write, first beside the settings store, and says where it wrote.
TEST_F(RegistryEditorTest, DumpAsksWhereAndSaysWhereItWrote) {
  editor_.SelectProgram(1);
  const std::string chosen = scratch_ / "chosen.txt";
  ui_.files = {chosen, std::nullopt};
  editor_.Dump();
  ASSERT_EQ(1u, ui_.fileRequests.size());
  EXPECT_EQ(scratch_ / "ZrvNetReg.txt", ui_.fileRequests[0].initialPath);
  EXPECT_TRUE(ui_.fileRequests[0].save);
  EXPECT_EQ(std::vector<std::string>{"The settings were written to " + chosen}, ui_.Texts());
  EXPECT_TRUE(testing::ReadFile(chosen).starts_with("[Settings]\r\n"));
  // Cancelled: nothing written, nothing said.
  ui_.messages.clear();
  editor_.Dump();
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "ZrvNetReg.txt"));
}

TEST(RegistryEditorNoStore, StartShowsTheMissingBaseKeyAndListsNothing) {
  testing::TempFolder scratch;
  RecordingUserInterface ui;
  ScopedUserInterface scoped(ui);
  RegistryEditor editor(scratch / "registry.sqlite3");
  editor.Start();
  EXPECT_TRUE(editor.Programs().empty());
  EXPECT_EQ(std::nullopt, editor.SelectedProgram());
  EXPECT_EQ("", editor.Entries().text);
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].text.find("Failed to open key \"Software\\Orlendt Software Applications\"\n"));

  // With no program nothing can be written.
  ui.messages.clear();
  editor.fields = {"Options", "", "", std::nullopt};
  editor.AddSection();
  EXPECT_EQ(1u, ui.messages.size());
  EXPECT_EQ((std::vector<std::string>{}), scratch.Entries());
}

}  // namespace
}  // namespace zarvic::regutil
