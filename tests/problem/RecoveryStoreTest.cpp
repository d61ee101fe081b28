// Recovery copies of problems with unsaved changes: written in the recovery folder while a problem is
// modified, removed when it is saved or closed, and offered after a crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/Paths.h"
#include "core/StringTable.h"
#include "core/Text.h"
#include "problem/DocumentManager.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemFileFixture.h"
#include "problem/RecoveryStore.h"
#include "support/EndedProcess.h"

namespace zarvic {
namespace {

using namespace zarvic::testing;

class RecoveryStoreTest : public ProblemFileFixture {
 protected:
  void SetUp() override {
    ProblemFileFixture::SetUp();
    SetClock([] { return ClockTime{{2026, 12, 10}, 10, 7, 0}; });
    manager = std::make_unique<DocumentManager>();
    manager->SetRecoveryStore(&store);
    manager->SetProblemFolder(files.path());
  }
  void TearDown() override {
    manager.reset();
    SetClock({});
    ProblemFileFixture::TearDown();
  }

  // A problem typed into a window: a name, a tax and a payment.
  static void Type(ProblemDocument& doc, const std::string& taxpayer) {
    doc.problem.m_header.m_taxpayerName.SetText(taxpayer);
    doc.problem.m_events[0].m_type = kEventTax;
    doc.problem.m_events[0].m_date = Day("04-15-95");
    doc.problem.m_events[0].m_amount = 123456;
    doc.problem.m_events[1].m_type = kEventPayment;
    doc.problem.m_events[1].m_date = Day("06-15-96");
    doc.problem.m_events[1].m_amount = 50000;
    doc.problem.m_events[1].SetDescription("check 101");
    doc.problem.SetModified();
  }
  std::vector<std::string> Copies() const {
    return std::filesystem::exists(recoveryFolder) ? TempFolderEntries(recoveryFolder)
                                                   : std::vector<std::string>{};
  }
  static void WriteProblemFile(const std::string& path) {
    auto problem = std::make_unique<CTDoc>();
    problem->ResetProblem();
    WriteFile(path, WriteProblem(*problem));
  }
  static std::vector<std::string> TempFolderEntries(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The program that wrote the copies ends without closing anything, as a crash does.
  void Crash() {
    manager->SetRecoveryStore(nullptr);
    manager.reset();
    const int ended = EndedProcessId();
    for (const std::string& name : Copies()) {
      if (!name.ends_with(".info")) continue;
      const std::string path = recoveryFolder + "/" + name;
      std::string info = ReadFile(path);
      info = std::regex_replace(info, std::regex("pid=[0-9]+"), "pid=" + std::to_string(ended));
      WriteFile(path, info);
    }
    manager = std::make_unique<DocumentManager>();
    manager->SetRecoveryStore(&store);
  }
  std::string Offer(int index, int count, const std::string& title, const std::string& file,
                    const std::string& taxpayer) const {
    return FormatStringText(21204, index, count, title.c_str(), file.c_str(), taxpayer.c_str(),
                            "12-10-2026 10:07");
  }

  TempFolder data, files;
  const std::string recoveryFolder = data / "Recovery";
  RecoveryStore store{recoveryFolder};
  std::unique_ptr<DocumentManager> manager;
};

TEST_F(RecoveryStoreTest, CopiesFollowTheUnsavedChanges) {
  WriteProblemFile(files / "CASE.ZR3");
  ProblemDocument* fresh = manager->NewDocument();
  manager->WriteRecoveryCopies();
  EXPECT_TRUE(Copies().empty());  // nothing typed, nothing to keep

  Type(*fresh, "Fresh");
  manager->WriteRecoveryCopies();
  const std::vector<std::string> copies = Copies();
  ASSERT_EQ(2u, copies.size());  // ID.ZR3 and ID.info
  EXPECT_EQ(fresh->recoveryId + ".ZR3", copies[0]);
  EXPECT_EQ(fresh->recoveryId + ".info", copies[1]);
  EXPECT_TRUE(fresh->problem.IsModified());  // a copy is no save

  // Saved: the copy goes, and the file is the only thing beside it.
  ui.files.push_back(files / "FRESH.ZR3");
  ASSERT_TRUE(manager->Save(*fresh));
  EXPECT_TRUE(Copies().empty());
  EXPECT_EQ((std::vector<std::string>{".FRESH.ZR3.lock", "CASE.ZR3", "FRESH.ZR3"}),
            TempFolderEntries(files.path()));

  // Changed again and closed without saving: the copy goes.
  fresh->problem.SetModified();
  manager->WriteRecoveryCopies();
  EXPECT_EQ(2u, Copies().size());
  ui.answers.push_back(Answer::No);
  ASSERT_TRUE(manager->CloseDocument(*fresh));
  EXPECT_TRUE(Copies().empty());

  // Kept while the person cancels the close.
  ProblemDocument* other = manager->NewDocument();
  Type(*other, "Other");
  manager->WriteRecoveryCopies();
  ui.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(manager->CloseDocument(*other));
  EXPECT_EQ(2u, Copies().size());
}

TEST_F(RecoveryStoreTest, ARunningProgramsCopiesAreNotOffered) {
  Type(*manager->NewDocument(), "Running");
  manager->WriteRecoveryCopies();
  DocumentManager second;
  second.SetRecoveryStore(&store);
  EXPECT_TRUE(second.RecoverableProblems().empty());
}

TEST_F(RecoveryStoreTest, ACrashedRunsWorkIsOfferedAndRestored) {
  WriteProblemFile(files / "CASE.ZR3");
  ProblemDocument* fromFile = manager->OpenDocumentFile(files / "CASE.ZR3");
  ASSERT_NE(nullptr, fromFile);
  Type(*fromFile, "From file");
  Type(*manager->NewDocument(), "Untitled one");
  Type(*manager->NewDocument(), "Kept for later");
  manager->WriteRecoveryCopies();
  Crash();

  std::vector<RecoveryCopy> offered = manager->RecoverableProblems();
  ASSERT_EQ(3u, offered.size());
  ui.answers = {Answer::Yes, Answer::No, Answer::Cancel};
  std::vector<ProblemDocument*> opened = manager->OfferRecovery();
  const std::string neverSaved(StringText(21205));
  const std::string file = files / "CASE.ZR3";
  // Titles are unique, so the order within one minute follows the ids.
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < offered.size(); ++i) {
    const RecoveryCopy& c = offered[i];
    expected.push_back(Offer(static_cast<int>(i) + 1, 3, c.title,
                             c.originalPath.empty() ? neverSaved : c.originalPath, c.taxpayer));
  }
  EXPECT_EQ(expected, ui.Texts());
  EXPECT_EQ(MessageKind::YesNoCancel, ui.messages[0].kind);
  ASSERT_EQ(1u, opened.size());

  ProblemDocument& restored = *opened[0];
  EXPECT_EQ(offered[0].title, restored.title);
  EXPECT_EQ(offered[0].originalPath, restored.pathName);
  EXPECT_TRUE(restored.problem.IsModified());
  EXPECT_EQ(offered[0].taxpayer, restored.problem.m_header.m_taxpayerName.Text());
  ASSERT_EQ(2, restored.problem.EventCount());
  EXPECT_EQ(123456.0, restored.problem.m_events[0].m_amount);
  EXPECT_EQ(Day("06-15-96"), restored.problem.m_events[1].m_date);
  EXPECT_EQ("check 101", restored.problem.m_events[1].DescriptionText());

  // The restored copy now belongs to this run; the discarded one is gone; the kept one is offered again.
  std::vector<RecoveryCopy> left = manager->RecoverableProblems();
  ASSERT_EQ(1u, left.size());
  EXPECT_EQ(offered[2].id, left[0].id);
  EXPECT_EQ(4u, Copies().size());
}

TEST_F(RecoveryStoreTest, RestoredUntitledProblemsKeepTheirNumbers) {
  Type(*manager->NewDocument(), "One");
  Type(*manager->NewDocument(), "Two");
  manager->WriteRecoveryCopies();
  Crash();
  ui.answers = {Answer::Yes, Answer::Yes};
  std::vector<ProblemDocument*> opened = manager->OfferRecovery();
  ASSERT_EQ(2u, opened.size());
  EXPECT_EQ("Untitled - 1", opened[0]->title);
  EXPECT_EQ("Untitled - 2", opened[1]->title);
  EXPECT_EQ("*.ZR3", opened[0]->saveName);  // its first save asks for a name
  EXPECT_EQ("Untitled - 3", manager->NewDocument()->title);
}

TEST_F(RecoveryStoreTest, ARecoveredFileKeepsItsNameAndItsDiskCheck) {
  WriteProblemFile(files / "CASE.ZR3");
  ProblemDocument* doc = manager->OpenDocumentFile(files / "CASE.ZR3");
  Type(*doc, "Typed");
  manager->WriteRecoveryCopies();
  Crash();
  // Another program saves the file before the person restores the work.
  WriteProblemFile(files / "new");
  std::filesystem::rename(files / "new", files / "CASE.ZR3");

  ui.answers.push_back(Answer::Yes);
  std::vector<ProblemDocument*> opened = manager->OfferRecovery();
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(files / "CASE.ZR3", opened[0]->pathName);
  EXPECT_EQ("CASE.ZR3", opened[0]->title);
  EXPECT_EQ(opened[0], manager->OpenDocumentFile(files / "CASE.ZR3"));  // its window, not a second one
  ui.messages.clear();
  ui.answers.push_back(Answer::No);
  EXPECT_FALSE(manager->Save(*opened[0]));  // asks first: the file changed after the copy's problem read it
  EXPECT_EQ(std::vector<std::string>{FormatStringText(21201, (files / "CASE.ZR3").c_str())}, ui.Texts());
}

TEST_F(RecoveryStoreTest, AFolderThatCannotBeWrittenIsReportedOnce) {
  WriteFile(data / "Recovery", "a file where the folder should be");
  Type(*manager->NewDocument(), "One");
  manager->WriteRecoveryCopies();
  manager->WriteRecoveryCopies();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[0].text.find(recoveryFolder));
}

}  // namespace
}  // namespace zarvic
