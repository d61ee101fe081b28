// New, Open, Save, Save As and closing: names, the ten-document limit and the remembered save name.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "problem/DamagedProblemFiles.h"
#include "problem/DocumentManager.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemFileFixture.h"

namespace zarvic {
namespace {

using namespace zarvic::testing;

class DocumentManagerTest : public ProblemFileFixture {
 protected:
  void SetUp() override {
    ProblemFileFixture::SetUp();
    manager.SetProblemFolder(folder.path());
    manager.onRecentFile = [this](const std::string& path) { recent.push_back(path); };
  }

  // A file of a problem with one tax event and the taxpayer name given.
  void WriteProblemFile(const std::string& path, const std::string& taxpayer) {
    auto doc = std::make_unique<CTDoc>();
    doc->ResetProblem();
    doc->m_header.m_taxpayerName.SetText(taxpayer);
    doc->m_events[0].m_type = kEventTax;
    doc->m_events[0].m_date = Day("04-15-95");
    WriteFile(path, WriteProblem(*doc));
  }
  std::string Taxpayer(const ProblemDocument& doc) const {
    return doc.problem.m_header.m_taxpayerName.Text();
  }
  std::string Text(int id) const { return std::string(StringText(id)); }

  TempFolder folder;
  DocumentManager manager;
  std::vector<std::string> recent;
};

TEST_F(DocumentManagerTest, NewProblemsAreNumberedAndLimitedToTen) {
  for (int i = 1; i <= 10; ++i) {
    ProblemDocument* doc = manager.NewDocument();
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ("Untitled - " + std::to_string(i), doc->title);
    EXPECT_EQ("*.ZR3", doc->saveName);
    EXPECT_EQ("", doc->pathName);
  }
  EXPECT_EQ(nullptr, manager.NewDocument());
  EXPECT_EQ((std::vector<std::string>{Text(20050)}), ui.Texts());
  EXPECT_EQ(10, manager.OpenCount());

  ASSERT_TRUE(manager.CloseDocument(*manager.Documents()[3]));
  EXPECT_EQ("Untitled - 11", manager.NewDocument()->title);  // numbers are never reused
}

TEST_F(DocumentManagerTest, ProposedNames) {
  struct Case {
    std::string pathName;
    std::string title;
    std::string expected;
  };
  const Case cases[] = {
      {"", "Untitled - 1", "UNTITLED.ZR3"},
      {"", "A#1", "A.ZR3"},
      {"", "x%y", "X.ZR3"},
      {"", "semi;colon", "SEMI.ZR3"},
      {"", "back\\slash", "BACK.ZR3"},
      {"", "case.zr2", "CASE.ZR3"},  // opened in place: the title is the file name
      {"/data/My Case.zr2", "My Case.zr2", "/data/My Case.ZR3"},
      {"/data/Plain", "Plain", "/data/Plain.ZR3"},
  };
  for (const Case& c : cases) {
    ProblemDocument doc;
    doc.pathName = c.pathName;
    doc.title = c.title;
    EXPECT_EQ(c.expected, DocumentManager::ProposedSaveName(doc)) << c.title;
  }
}

TEST_F(DocumentManagerTest, SavingANewProblemAsksOnceThenRemembersTheName) {
  ProblemDocument* doc = manager.NewDocument();
  doc->problem.SetModified();
  Options().specialCR = true;
  bool specialCRInDialog = true;
  struct SpyUi : RecordingUserInterface {
    bool* seen = nullptr;
    std::optional<std::string> ChooseFile(const FileChoice& choice) override {
      *seen = SpecialCRActive();
      return RecordingUserInterface::ChooseFile(choice);
    }
  } spy;
  spy.seen = &specialCRInDialog;
  ScopedUserInterface scoped(spy);
  spy.files.push_back(folder / "case one.zr3");

  ASSERT_TRUE(manager.Save(*doc));
  ASSERT_EQ(1u, spy.fileRequests.size());
  const FileChoice& asked = spy.fileRequests[0];
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(folder / "UNTITLED.ZR3", asked.initialPath);
  EXPECT_EQ("Zarvic (*.ZR3)|*.ZR3|Zarvic 2 (*.ZR2)|*.ZR2|All Files (*.*)|*.*||", asked.filter);
  EXPECT_EQ("ZR3", asked.defaultExtension);
  EXPECT_FALSE(specialCRInDialog);
  EXPECT_TRUE(Options().specialCR);

  const std::string saved = folder / "case one.ZR3";  // the extension is written upper case
  // The problem holds its file's lock while it is open.
  EXPECT_EQ((std::vector<std::string>{".case one.ZR3.lock", "case one.ZR3"}), folder.Entries());
  EXPECT_EQ(saved, doc->pathName);
  EXPECT_EQ(saved, doc->saveName);
  EXPECT_EQ("case one.ZR3", doc->title);
  EXPECT_FALSE(doc->problem.IsModified());
  EXPECT_EQ(std::vector<std::string>{saved}, recent);

  doc->problem.m_header.m_taxpayerName.SetText("Second save");
  ASSERT_TRUE(manager.Save(*doc));
  EXPECT_EQ(1u, spy.fileRequests.size());  // no question the second time
  EXPECT_EQ("Second save", std::string(ReadFile(saved).c_str()));

  // Save As always asks, proposing the path name.
  spy.files.push_back(std::nullopt);
  EXPECT_FALSE(manager.SaveAs(*doc));
  ASSERT_EQ(2u, spy.fileRequests.size());
  EXPECT_EQ(saved, spy.fileRequests[1].initialPath);
}

TEST_F(DocumentManagerTest, ChosenNameMustHaveTheZr3Extension) {
  ProblemDocument* doc = manager.NewDocument();
  ui.files.push_back(folder / "case.txt");
  EXPECT_FALSE(manager.Save(*doc));
  EXPECT_EQ((std::vector<std::string>{"Invalid file name\nZarvic files must have a ZR3 extension"}),
            ui.Texts());
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_EQ("*.ZR3", doc->saveName);

  ui.files.push_back(std::nullopt);  // cancel
  EXPECT_FALSE(manager.Save(*doc));
  EXPECT_TRUE(folder.Entries().empty());
}

TEST_F(DocumentManagerTest, AFailedSaveKeepsTheNameAndTheChangedFlag) {
  ProblemDocument* doc = manager.NewDocument();
  doc->problem.SetModified();
  ui.files.push_back(folder / "missing/A.ZR3");
  EXPECT_FALSE(manager.Save(*doc));
  EXPECT_EQ(1u, ui.messages.size());
  EXPECT_EQ("*.ZR3", doc->saveName);
  EXPECT_EQ("", doc->pathName);
  EXPECT_TRUE(doc->problem.IsModified());
}

TEST_F(DocumentManagerTest, SavingReplacesAFileWhoseExtensionDiffersInCase) {
  const std::string lower = folder / "a.zr3";
  WriteProblemFile(lower, "Old");
  ProblemDocument* doc = manager.OpenDocumentFile(lower);
  ASSERT_NE(nullptr, doc);
  doc->problem.m_header.m_taxpayerName.SetText("New");
  ASSERT_TRUE(manager.Save(*doc));
  EXPECT_EQ((std::vector<std::string>{".a.zr3.lock", "a.zr3"}), folder.Entries());
  EXPECT_EQ("New", std::string(ReadFile(lower).c_str()));
}

TEST_F(DocumentManagerTest, ApplicationOpen) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  WriteProblemFile(folder / "OLD.ZR2", "Old");
  WriteFile(folder / "notes.txt", "text");
  struct Case {
    std::string chosen;
    std::string expectedPath;  // empty: nothing opens
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {folder / "CASE.ZR3", folder / "CASE.ZR3", {}},
      {folder / "CASE", folder / "CASE.ZR3", {}},  // ".ZR3" is added to a name without one
      {folder / "OLD.ZR2", folder / "OLD.ZR2", {}},
      {folder / "notes.txt", "", {Text(20049)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    ASSERT_TRUE(manager.CloseAll());  // an open file would be shown, not opened
    ui.messages.clear();
    ui.files.push_back(c.chosen);
    int before = manager.OpenCount();
    ProblemDocument* doc = manager.OpenDocument();
    EXPECT_EQ(c.messages, ui.Texts());
    if (c.expectedPath.empty()) {
      EXPECT_EQ(nullptr, doc);
      EXPECT_EQ(before, manager.OpenCount());
      continue;
    }
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(before + 1, manager.OpenCount());
    EXPECT_EQ(c.expectedPath, doc->pathName);
    EXPECT_EQ(FileNameOf(c.expectedPath), doc->title);
    EXPECT_EQ(c.expectedPath, recent.back());
    EXPECT_FALSE(manager.IsOpening());
  }
}

TEST_F(DocumentManagerTest, OpenedFileIsSavedBackWithoutAQuestion) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  ProblemDocument* doc = manager.OpenDocumentFile(folder / "CASE.ZR3");
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ("Case", Taxpayer(*doc));
  doc->problem.m_header.m_taxpayerName.SetText("Changed");
  ASSERT_TRUE(manager.Save(*doc));
  EXPECT_TRUE(ui.fileRequests.empty());
  EXPECT_EQ("Changed", std::string(ReadFile(folder / "CASE.ZR3").c_str()));

  // A ".ZR2" file is saved as ".ZR3" beside it; the old file stays.
  WriteProblemFile(folder / "OLD.ZR2", "Old");
  ProblemDocument* old = manager.OpenDocumentFile(folder / "OLD.ZR2");
  ASSERT_TRUE(manager.Save(*old));
  EXPECT_EQ((std::vector<std::string>{".CASE.ZR3.lock", ".OLD.ZR3.lock", "CASE.ZR3", "OLD.ZR2", "OLD.ZR3"}),
            folder.Entries());
}

TEST_F(DocumentManagerTest, AFileThatCannotBeReadOpensNoWindow) {
  WriteFile(folder / "BAD.ZR3", "short");
  ui.files.push_back(folder / "BAD.ZR3");
  EXPECT_EQ(nullptr, manager.OpenDocument());
  EXPECT_EQ(0, manager.OpenCount());
  EXPECT_EQ((std::vector<std::string>{Text(20013) + "\n" + (folder / "BAD.ZR3") +
                                      ": the file ends inside the header."}),
            ui.Texts());
  EXPECT_TRUE(recent.empty());
}

// The window's open refuses every damaged file with a message naming it and what is wrong, and opens
// no window; opened in place, the problem stays a new, empty one.
TEST_F(DocumentManagerTest, DamagedFilesOpenNoWindow) {
  ProblemDocument* empty = manager.NewDocument();
  for (const DamagedFile& f : DamagedProblemFiles()) {
    SCOPED_TRACE(f.what);
    const std::string path = folder / (f.what + ".ZR3");
    WriteFile(path, f.bytes);
    for (bool inPlace : {false, true}) {
      ui.messages.clear();
      ui.files.push_back(path);
      EXPECT_EQ(nullptr, inPlace ? manager.OpenFromDocument(*empty) : manager.OpenDocument());
      EXPECT_EQ(1, manager.OpenCount());
      EXPECT_EQ(0, empty->problem.EventCount());
      ASSERT_EQ(1u, ui.messages.size());
      const std::string& text = ui.messages[0].text;
      EXPECT_TRUE(text.starts_with(Text(20013) + "\n" + path + ": ")) << text;
      if (!f.reason.empty()) {
        EXPECT_EQ(Text(20013) + "\n" + path + ": " + f.reason + ".", text);
      }
    }
  }
  EXPECT_TRUE(recent.empty());
}

// A problem cut to 1,000 events is not saved over the file it came from without asking: the events
// left out would be gone from it. Another file takes it without a question.
TEST_F(DocumentManagerTest, SavingAShortenedProblemOverItsFileAsksFirst) {
  std::string bytes = HeaderImage({.name = "Many", .eventCount = 1002}) + Penalties88({});
  for (int i = 0; i < 1002; ++i) bytes += EventImage42({.type = 0, .date = Day("04-15-95"), .amount = 1});
  const std::string path = folder / "MANY.ZR3";
  WriteFile(path, bytes);
  ProblemDocument* doc = manager.OpenDocumentFile(path);
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ(1000, doc->problem.EventCount());
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(EscapeForMessage(path) +
                " holds 1,002 events, and a problem holds at most 1,000 events: the last "
                "2, dated 04-15-95 to 04-15-95, were left out.",
            ui.messages[0].text);

  const std::string question = path +
                               " held 1,002 events when it was opened, and a problem holds at most 1,000 "
                               "events: the last 2 were left out. Saving over the file removes them from it "
                               "for good.\n\nSave over it anyway?";
  ui.messages.clear();
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(manager.Save(*doc));
  EXPECT_EQ(bytes, ReadFile(path));
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(question, ui.messages[0].text);
  EXPECT_EQ(MessageKind::YesNo, ui.messages[0].kind);

  ui.messages.clear();
  ui.files.push_back(folder / "OTHER.ZR3");
  EXPECT_TRUE(manager.SaveAs(*doc));
  EXPECT_TRUE(ui.messages.empty());

  ui.files.push_back(path);
  ui.answers.push_back(Answer::Yes);
  EXPECT_TRUE(manager.SaveAs(*doc));
  EXPECT_EQ((std::vector<std::string>{question}), ui.Texts());
  EXPECT_NE(bytes, ReadFile(path));
  // The file now holds what the problem holds: the next save asks nothing.
  ui.messages.clear();
  EXPECT_TRUE(manager.Save(*doc));
  EXPECT_TRUE(ui.messages.empty());
}

// Regression: File > Open opened an eleventh problem; only New refused it.
TEST_F(DocumentManagerTest, TheEleventhProblemIsRefusedOnEveryRoute) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  WriteProblemFile(folder / "OTHER.ZR3", "Other");
  ProblemDocument* open = manager.OpenDocumentFile(folder / "CASE.ZR3");
  for (int i = 0; i < 9; ++i) manager.NewDocument();
  ProblemDocument* inUse = manager.Documents()[1].get();
  inUse->problem.SetModified();
  ProblemDocument* unused = manager.Documents()[2].get();
  ASSERT_EQ(10, manager.OpenCount());

  EXPECT_EQ(nullptr, manager.NewDocument());
  EXPECT_EQ(nullptr, manager.OpenDocument());  // before the dialog
  EXPECT_EQ(nullptr, manager.OpenDocumentFile(folder / "OTHER.ZR3"));
  EXPECT_EQ(nullptr, manager.OpenFromDocument(*inUse));
  EXPECT_EQ(std::vector<std::string>(4, Text(20050)), ui.Texts());
  EXPECT_TRUE(ui.fileRequests.empty());
  EXPECT_EQ(10, manager.OpenCount());

  // What adds no problem still works: the open file is shown, an unused window takes a file.
  ui.messages.clear();
  EXPECT_EQ(open, manager.OpenDocumentFile(folder / "CASE.ZR3"));
  ui.files.push_back(folder / "OTHER.ZR3");
  EXPECT_EQ(unused, manager.OpenFromDocument(*unused));
  EXPECT_EQ("Other", Taxpayer(*unused));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(10, manager.OpenCount());
}

// Regression: Ctrl+O on a file that was open already opened a second, editable copy of it.
TEST_F(DocumentManagerTest, AFileOpenAlreadyIsShownOnEveryRoute) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  std::filesystem::create_directories(folder / "sub");
  struct Route {
    const char* name;
    ProblemDocument* (*open)(DocumentManager&, RecordingUserInterface&, const std::string& folder);
  };
  const Route routes[] = {
      {"application open",
       [](DocumentManager& m, RecordingUserInterface& answers, const std::string& f) {
         answers.files.push_back(f + "/CASE.ZR3");
         return m.OpenDocument();
       }},
      {"application open without extension",
       [](DocumentManager& m, RecordingUserInterface& answers, const std::string& f) {
         answers.files.push_back(f + "/CASE");
         return m.OpenDocument();
       }},
      {"open from an unused window",
       [](DocumentManager& m, RecordingUserInterface& answers, const std::string& f) {
         answers.files.push_back(f + "/CASE.ZR3");
         return m.OpenFromDocument(*m.NewDocument());
       }},
      {"open from a window in use",
       [](DocumentManager& m, RecordingUserInterface& answers, const std::string& f) {
         ProblemDocument* used = m.NewDocument();
         used->problem.SetModified();
         answers.files.push_back(f + "/CASE.ZR3");
         return m.OpenFromDocument(*used);
       }},
      {"named file (recent files, command line, drop)",
       [](DocumentManager& m, RecordingUserInterface&, const std::string& f) {
         return m.OpenDocumentFile(f + "/CASE.ZR3");
       }},
      {"another spelling of its path",
       [](DocumentManager& m, RecordingUserInterface&, const std::string& f) {
         return m.OpenDocumentFile(f + "/sub/../CASE.ZR3");
       }},
  };
  for (bool inPlace : {false, true}) {
    for (const Route& route : routes) {
      SCOPED_TRACE(std::string(route.name) + (inPlace ? ", first opened in place" : ""));
      for (const auto& doc : manager.Documents()) doc->problem.SetModified(false);
      ASSERT_TRUE(manager.CloseAll());
      ProblemDocument* first = nullptr;
      if (inPlace) {
        ui.files.push_back(folder / "CASE.ZR3");
        first = manager.OpenFromDocument(*manager.NewDocument());
      } else {
        first = manager.OpenDocumentFile(folder / "CASE.ZR3");
      }
      ASSERT_NE(nullptr, first);
      first->problem.m_header.m_taxpayerName.SetText("Typed");
      ui.messages.clear();
      ProblemDocument* shown = route.open(manager, ui, folder.path());
      EXPECT_EQ(first, shown);
      EXPECT_EQ("Typed", Taxpayer(*first));  // not read again
      EXPECT_EQ(std::vector<std::string>{}, ui.Texts());
      int copies = 0;
      for (const auto& doc : manager.Documents()) copies += Taxpayer(*doc) == "Case" || doc.get() == first;
      EXPECT_EQ(1, copies);
    }
  }
}

// Regression: a save wrote over what another program had saved meanwhile, without a word.
TEST_F(DocumentManagerTest, AFileChangedOnDiskAsksBeforeItIsReplaced) {
  const std::string path = folder / "CASE.ZR3";
  const std::string question = FormatStringText(21201, path.c_str());
  struct Case {
    const char* name;
    bool otherWrites;
    std::optional<Answer> answer;  // nothing: no question
    bool saved;
  };
  const Case cases[] = {
      {"unchanged on disk", false, std::nullopt, true},
      {"changed, replace it", true, Answer::Yes, true},
      {"changed, keep it", true, Answer::No, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(manager.CloseAll());
    WriteProblemFile(path, "Case");
    ProblemDocument* doc = manager.OpenDocumentFile(path);
    ASSERT_NE(nullptr, doc);
    doc->problem.m_header.m_taxpayerName.SetText("Mine");
    doc->problem.SetModified();
    if (c.otherWrites) {  // as another Zarvic saves: a new file renamed over it
      WriteProblemFile(folder / "new", "Other program");
      std::filesystem::rename(folder / "new", path);
    }
    const std::string before = ReadFile(path);
    ui.messages.clear();
    if (c.answer) ui.answers.push_back(*c.answer);
    EXPECT_EQ(c.saved, manager.Save(*doc));
    if (c.answer) {
      EXPECT_EQ(std::vector<std::string>{question}, ui.Texts());
      EXPECT_EQ(MessageKind::YesNo, ui.messages[0].kind);
    } else {
      EXPECT_TRUE(ui.messages.empty());
    }
    EXPECT_EQ(c.saved ? "Mine" : "Other program", std::string(ReadFile(path).c_str()));
    EXPECT_EQ(!c.saved, doc->problem.IsModified());
    if (!c.saved) {
      doc->problem.SetModified(false);  // closed without a question by the next case
      continue;
    }
    // Its own save is no change by another program.
    ui.messages.clear();
    ASSERT_TRUE(manager.Save(*doc));
    EXPECT_TRUE(ui.messages.empty());
  }
}

TEST_F(DocumentManagerTest, AFileAnotherProgramHoldsAsksBeforeItIsOpenedOrSavedOver) {
  const std::string path = folder / "CASE.ZR3";
  WriteProblemFile(path, "Case");
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  const std::string lockText = std::string("1 ") + host + "\n";  // process 1 is alive
  WriteFile(folder / ".CASE.ZR3.lock", lockText);
  const std::string openQuestion =
      FormatStringText(21200, path.c_str(), 1, host);

  ui.answers.push_back(Answer::No);
  EXPECT_EQ(nullptr, manager.OpenDocumentFile(path));
  EXPECT_EQ(std::vector<std::string>{openQuestion}, ui.Texts());
  EXPECT_EQ(0, manager.OpenCount());

  ui.messages.clear();
  ui.answers.push_back(Answer::Yes);
  ProblemDocument* doc = manager.OpenDocumentFile(path);
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ("Case", Taxpayer(*doc));
  ASSERT_TRUE(manager.CloseDocument(*doc));
  EXPECT_EQ(lockText, ReadFile(folder / ".CASE.ZR3.lock"));  // the other program's lock stays

  // Saving another problem over it asks too.
  ProblemDocument* other = manager.NewDocument();
  ui.messages.clear();
  ui.files.push_back(path);
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(manager.SaveAs(*other));
  EXPECT_EQ(std::vector<std::string>{FormatStringText(21202, path.c_str(), 1,
                                                          host)},
            ui.Texts());
  EXPECT_EQ("Case", std::string(ReadFile(path).c_str()));

  // Once the other program has let go, the file opens without a question and is held until it closes.
  std::filesystem::remove(folder / ".CASE.ZR3.lock");
  ui.messages.clear();
  doc = manager.OpenDocumentFile(path);
  ASSERT_NE(nullptr, doc);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(FileExists(folder / ".CASE.ZR3.lock"));
  ASSERT_TRUE(manager.CloseDocument(*doc));
  EXPECT_FALSE(FileExists(folder / ".CASE.ZR3.lock"));  // cleared on close
}

TEST_F(DocumentManagerTest, OpenInPlaceFromAnEmptyProblem) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  ProblemDocument* doc = manager.NewDocument();
  ui.files.push_back(folder / "CASE.ZR3");
  EXPECT_EQ(doc, manager.OpenFromDocument(*doc));
  EXPECT_EQ(1, manager.OpenCount());
  EXPECT_EQ("Case", Taxpayer(*doc));
  EXPECT_EQ("CASE.ZR3", doc->title);
  EXPECT_EQ("", doc->pathName);
  EXPECT_EQ(std::vector<std::string>{folder / "CASE.ZR3"}, recent);

  // The following Save asks for a name, proposing the file name.
  ui.files.push_back(std::nullopt);
  EXPECT_FALSE(manager.Save(*doc));
  ASSERT_EQ(2u, ui.fileRequests.size());
  EXPECT_EQ(folder / "CASE.ZR3", ui.fileRequests[1].initialPath);
}

TEST_F(DocumentManagerTest, OpenInPlaceRefusesOtherExtensions) {
  WriteFile(folder / "CASE.TXT", "text");
  ProblemDocument* doc = manager.NewDocument();
  ui.files.push_back(folder / "CASE.TXT");
  EXPECT_EQ(nullptr, manager.OpenFromDocument(*doc));
  EXPECT_EQ((std::vector<std::string>{Text(20047)}), ui.Texts());
  EXPECT_EQ(0, doc->problem.EventCount());
  EXPECT_EQ("Untitled - 1", doc->title);
}

TEST_F(DocumentManagerTest, OpenFromAProblemInUseOpensANewWindow) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  struct Case {
    const char* name;
    void (*use)(CTDoc&);
  };
  const Case cases[] = {
      {"changed", [](CTDoc& p) { p.SetModified(); }},
      {"dated event", [](CTDoc& p) { p.m_events[5].m_date = Day("01-01-95"); }},
      {"taxpayer name", [](CTDoc& p) { p.m_header.m_taxpayerName.SetText("Someone"); }},
      {"taxpayer ID", [](CTDoc& p) { p.m_header.m_taxpayerId.SetText("123"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProblemDocument* current = manager.NewDocument();
    c.use(current->problem);
    ui.files.push_back(folder / "CASE.ZR3");
    ProblemDocument* opened = manager.OpenFromDocument(*current);
    ASSERT_NE(nullptr, opened);
    EXPECT_NE(current, opened);
    EXPECT_EQ("Case", Taxpayer(*opened));
    EXPECT_EQ(folder / "CASE.ZR3", opened->pathName);
    EXPECT_NE("Case", Taxpayer(*current));
  }
}

TEST_F(DocumentManagerTest, SavingOverAnotherOpenProblemClosesIt) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  ProblemDocument* first = manager.OpenDocumentFile(folder / "CASE.ZR3");
  first->problem.SetModified();  // closed without the question all the same
  ProblemDocument* second = manager.NewDocument();
  second->problem.m_header.m_taxpayerName.SetText("Second");

  ui.files.push_back(folder / "missing/CASE.ZR3");  // a failed save closes nothing
  EXPECT_FALSE(manager.Save(*second));
  EXPECT_EQ(2, manager.OpenCount());

  ui.messages.clear();
  ui.files.push_back(folder / "CASE.ZR3");
  ASSERT_TRUE(manager.Save(*second));
  ASSERT_EQ(1, manager.OpenCount());
  EXPECT_EQ(second, manager.Documents()[0].get());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ("Second", std::string(ReadFile(folder / "CASE.ZR3").c_str()));
}

TEST_F(DocumentManagerTest, SaveQuestionOnClosing) {
  struct Case {
    const char* name;
    Answer answer;
    std::optional<std::string> file;  // chosen in the save dialog after Yes
    bool closes;
    bool written;
  };
  const Case cases[] = {
      {"cancel", Answer::Cancel, std::nullopt, false, false},
      {"no", Answer::No, std::nullopt, true, false},
      {"yes, saved", Answer::Yes, "SAVED.ZR3", true, true},
      {"yes, save cancelled", Answer::Yes, std::nullopt, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder / "SAVED.ZR3");
    ui.messages.clear();
    ProblemDocument* doc = manager.NewDocument();
    const std::string title = doc->title;
    doc->problem.SetModified();
    ui.answers.push_back(c.answer);
    ui.files.clear();
    if (c.answer == Answer::Yes) ui.files.push_back(c.file ? std::optional(folder / *c.file) : std::nullopt);
    int before = manager.OpenCount();
    EXPECT_EQ(c.closes, manager.CloseDocument(*doc));
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ("Save changes to " + title + "?", ui.messages[0].text);
    EXPECT_EQ(MessageKind::YesNoCancel, ui.messages[0].kind);
    EXPECT_EQ(before - (c.closes ? 1 : 0), manager.OpenCount());
    EXPECT_EQ(c.written, FileExists(folder / "SAVED.ZR3"));
  }

  // An unchanged problem closes without a question.
  ui.messages.clear();
  ProblemDocument* unchanged = manager.NewDocument();
  EXPECT_TRUE(manager.CloseDocument(*unchanged));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DocumentManagerTest, CloseAllStopsAtAProblemThatStaysOpen) {
  manager.NewDocument();
  manager.NewDocument()->problem.SetModified();
  manager.NewDocument();
  ui.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(manager.CloseAll());
  EXPECT_EQ(2, manager.OpenCount());
  ui.answers.push_back(Answer::No);
  EXPECT_TRUE(manager.CloseAll());
  EXPECT_EQ(0, manager.OpenCount());
}

}  // namespace
}  // namespace zarvic

namespace zarvic {
namespace {

using namespace zarvic::testing;

class SaveOverAnotherProblemTest : public DocumentManagerTest {};

// Regression: saving over a file that another open problem holds removed that problem while its
// window still pointed at it. The owner is told first, while the document still exists.
TEST_F(SaveOverAnotherProblemTest, TheOwnerIsToldBeforeTheOtherProblemGoes) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  ProblemDocument* holder = manager.OpenDocumentFile(folder / "CASE.ZR3");
  ProblemDocument* saver = manager.NewDocument();
  ASSERT_NE(nullptr, holder);
  std::vector<std::string> closedWindows;
  manager.beforeRemove = [&](ProblemDocument& doc) {
    closedWindows.push_back(doc.title + ":" + Taxpayer(doc));  // still readable here
  };
  ui.files.push_back(folder / "CASE.ZR3");
  ASSERT_TRUE(manager.SaveAs(*saver));
  EXPECT_EQ(std::vector<std::string>{"CASE.ZR3:Case"}, closedWindows);
  EXPECT_EQ(1, manager.OpenCount());
  EXPECT_EQ(saver, manager.Documents()[0].get());
}

TEST_F(SaveOverAnotherProblemTest, ABusyHolderRefusesTheSaveAndNothingIsWritten) {
  WriteProblemFile(folder / "CASE.ZR3", "Case");
  const std::string before = ReadFile(folder / "CASE.ZR3");
  ProblemDocument* holder = manager.OpenDocumentFile(folder / "CASE.ZR3");
  ProblemDocument* saver = manager.NewDocument();
  saver->problem.m_header.m_taxpayerName.SetText("Other");
  ProblemRun run(holder->problem);  // its computation is under way (a message box of it is up)
  ui.files.push_back(folder / "CASE.ZR3");
  EXPECT_FALSE(manager.SaveAs(*saver));
  EXPECT_EQ(2, manager.OpenCount());
  EXPECT_EQ(before, ReadFile(folder / "CASE.ZR3"));
  EXPECT_EQ(std::vector<std::string>{kProblemBusyText}, ui.Texts());
  // Closing it meanwhile is refused the same way.
  EXPECT_FALSE(manager.CloseDocument(*holder));
  EXPECT_EQ(2, manager.OpenCount());
}

}  // namespace
}  // namespace zarvic
