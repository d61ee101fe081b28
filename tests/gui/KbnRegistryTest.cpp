// The registry utility's window driven through its widgets, over the test's own settings store; and
// the utility and the calculator working on one store.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <cstdio>
#include <memory>

#include "core/RegistryStore.h"
#include "gui/GuiTestSupport.h"
#include "regutil/ui/CBasicEdit.h"
#include "regutil/ui/CKBNRegistryDlg.h"
#include "regutil/ui/MessageBoxUserInterface.h"

namespace zarvic::regutil {

namespace {

QString ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class KbnRegistryTest : public QObject {
  Q_OBJECT

 private:
  std::string storePath_ = DefaultRegistryPath();
  std::unique_ptr<testing::RecordingDesktop> desktop_;

  RecordingUserInterface& Ui() { return desktop_->ui; }

  // The store as the calculator leaves it: a few sections, and Tips=1 under Options.
  void SeedStore() {
    std::remove(storePath_.c_str());
    RegistryStore store;
    QVERIFY(store.Open(storePath_).ok());
    QVERIFY(store.SetValue("Zarvic", "Settings", RegistryValue::Dword("Number of MRU files", 10)).ok());
    QVERIFY(store.SetValue("Zarvic", "Options", RegistryValue::Dword("AtKBN", 0)).ok());
    QVERIFY(store.SetValue("Zarvic", "Options", RegistryValue::Dword("Tips", 1)).ok());
    QVERIFY(store.AddSection("Zarvic", "Empty").ok());
  }

  static std::optional<RegistryValue> Stored(const std::string& section, const std::string& name) {
    RegistryStore store;
    RegistryValue value;
    if (!store.Open(DefaultRegistryPath()).ok() || !store.GetValue("Zarvic", section, name, value).ok()) {
      return std::nullopt;
    }
    return value;
  }

  template <class T>
  static T* Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no child %s", name);
    return child;
  }

  // Clicks the listing on the line that reads text.
  static void ClickLine(CKBNRegistryDlg& dialog, const QString& text) {
    auto* entries = Child<CBasicEdit>(dialog, "entries");
    QTextBlock block = entries->document()->begin();
    while (block.isValid() && block.text() != text) block = block.next();
    QVERIFY2(block.isValid(), qPrintable(text));
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
    QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, entries->cursorRect(cursor).center());
  }

  static void Type(CKBNRegistryDlg& dialog, const char* field, const QString& text) {
    auto* edit = Child<QLineEdit>(dialog, field);
    edit->clear();
    QTest::keyClicks(edit, text);
  }

  static void Press(CKBNRegistryDlg& dialog, const char* button) {
    QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
  }

  static void ChooseType(CKBNRegistryDlg& dialog, const QString& name) {
    auto* type = Child<QComboBox>(dialog, "type");
    type->setCurrentIndex(type->findText(name));
  }

  static QString Listing(CKBNRegistryDlg& dialog) {
    return Child<CBasicEdit>(dialog, "entries")->toPlainText();
  }

  // Runs the calculator's batch data entry on input with the test's store; its exit code.
  static int RunBatchDataEntry(QProcess& wzrv, const QString& input, bool wait = true) {
    wzrv.setProgram(QStringLiteral(ZARVIC_BINARY_DIR "/wzrv"));
    wzrv.setArguments({QStringLiteral("-EX") + input});
    wzrv.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    wzrv.setStandardInputFile(QProcess::nullDevice());
    wzrv.start();
    if (!wait) return 0;
    if (!wzrv.waitForFinished(120000)) return -1;
    return wzrv.exitCode();
  }

 private slots:
  void initTestCase() { testing::FixClock(); }

  void init() {
    desktop_ = std::make_unique<testing::RecordingDesktop>();
    SeedStore();
  }

  void cleanup() { desktop_.reset(); }

  void startsWithTheFirstProgramListedAndNoType() {
    {
      RegistryStore store;
      QVERIFY(store.Open(storePath_).ok());
      QVERIFY(store.AddSection("Another", "Things").ok());
    }
    CKBNRegistryDlg dialog;
    auto* programs = Child<QComboBox>(dialog, "programs");
    QCOMPARE(programs->count(), 2);
    QCOMPARE(programs->currentText(), QStringLiteral("Another"));
    QCOMPARE(Listing(dialog), QStringLiteral("[Things]"));
    programs->setCurrentIndex(1);
    QCOMPARE(Listing(dialog),
             QStringLiteral("[Settings]\nNumber of MRU files=10 \n[Options]\nAtKBN=0 \nTips=1 \n[Empty]"));
    auto* type = Child<QComboBox>(dialog, "type");
    QCOMPARE(type->currentIndex(), -1);
    QCOMPARE(type->count(), 13);
    QCOMPARE(type->itemText(5), QStringLiteral("REG_DWORD_LITTLE_ENDIAN"));
    QCOMPARE(type->itemData(5).toLongLong(), 4LL);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Orlendt Software Registry Entries"));
    QVERIFY(Ui().messages.empty());
  }

  void everyControlCarriesItsCaption() {
    CKBNRegistryDlg dialog;
    const std::pair<const char*, QString> names[] = {
        {"programs", QStringLiteral("Programs")},
        {"section", QStringLiteral("Section")},
        {"name", QStringLiteral("Name")},
        {"value", QStringLiteral("Value")},
        {"type", QStringLiteral("Type")},
        {"entries", QStringLiteral("Registry Entries:")},
        {"save", QStringLiteral("Save")},
        {"add", QStringLiteral("Add")},
        {"delete", QStringLiteral("Delete")},
        {"dumpToFile", QStringLiteral("Dump to File")},
        {"addSection", QStringLiteral("Add Section")},
        {"deleteSection", QStringLiteral("Delete Section")},
        {"done", QStringLiteral("Done")},
    };
    for (const auto& [object, caption] : names)
      QCOMPARE(Child<QWidget>(dialog, object)->accessibleName(), caption);
    auto* entries = Child<CBasicEdit>(dialog, "entries");
    QVERIFY(entries->isReadOnly());
    QCOMPARE(entries->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(entries->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  }

  void pickingAValueLineFillsEveryField() {
    CKBNRegistryDlg dialog;
    dialog.show();
    ClickLine(dialog, QStringLiteral("Tips=1 "));
    QCOMPARE(Child<QLineEdit>(dialog, "section")->text(), QStringLiteral("Options"));
    QCOMPARE(Child<QLineEdit>(dialog, "name")->text(), QStringLiteral("Tips"));
    QCOMPARE(Child<QLineEdit>(dialog, "value")->text(), QStringLiteral("1"));
    QCOMPARE(Child<QComboBox>(dialog, "type")->currentText(), QStringLiteral("REG_DWORD"));
    // The picked line is highlighted as a whole and is remembered across a refresh.
    auto* entries = Child<CBasicEdit>(dialog, "entries");
    QCOMPARE(entries->textCursor().selectedText(), QStringLiteral("Tips=1 "));
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F5);
    QCOMPARE(entries->textCursor().selectedText(), QStringLiteral("Tips=1 "));
  }

  // Regression: a text holding a line break showed as two lines, and every pick below it took the
  // line above the one clicked.
  void aLineBreakInATextKeepsThePicksInPlace() {
    {
      RegistryStore store;
      QVERIFY(store.Open(storePath_).ok());
      QVERIFY(store.SetValue("Zarvic", "Settings", RegistryValue::String("Two", "first\nsecond")).ok());
    }
    CKBNRegistryDlg dialog;
    dialog.show();
    ClickLine(dialog, QStringLiteral("Tips=1 "));
    QCOMPARE(Child<QLineEdit>(dialog, "name")->text(), QStringLiteral("Tips"));
    QCOMPARE(Child<QComboBox>(dialog, "type")->currentText(), QStringLiteral("REG_DWORD"));
  }

  // Focus from the keyboard starts the listing at its top; a click keeps the picked line.
  void keyboardFocusMovesTheCaretToTheStart() {
    CKBNRegistryDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* entries = Child<CBasicEdit>(dialog, "entries");
    ClickLine(dialog, QStringLiteral("Tips=1 "));
    QCOMPARE(entries->textCursor().selectedText(), QStringLiteral("Tips=1 "));
    Child<QLineEdit>(dialog, "value")->setFocus(Qt::TabFocusReason);
    entries->setFocus(Qt::TabFocusReason);
    QCOMPARE(entries->textCursor().position(), 0);
    QVERIFY(!entries->textCursor().hasSelection());
  }

  void pickingASectionLineFillsOnlySection() {
    CKBNRegistryDlg dialog;
    dialog.show();
    Type(dialog, "name", QStringLiteral("Typed"));
    Type(dialog, "value", QStringLiteral("text"));
    ChooseType(dialog, QStringLiteral("REG_SZ"));
    ClickLine(dialog, QStringLiteral("[Options]"));
    QCOMPARE(Child<QLineEdit>(dialog, "section")->text(), QStringLiteral("Options"));
    QCOMPARE(Child<QLineEdit>(dialog, "name")->text(), QString());
    QCOMPARE(Child<QLineEdit>(dialog, "value")->text(), QString());
    QCOMPARE(Child<QComboBox>(dialog, "type")->currentText(), QStringLiteral("REG_SZ"));
  }

  void addWithNoTypeWritesNothingAndSaysNothing() {
    CKBNRegistryDlg dialog;
    Type(dialog, "section", QStringLiteral("Options"));
    Type(dialog, "name", QStringLiteral("New"));
    Type(dialog, "value", QStringLiteral("5"));
    Press(dialog, "add");
    QVERIFY(Ui().messages.empty());
    QVERIFY(!Stored("Options", "New"));
    ChooseType(dialog, QStringLiteral("REG_DWORD"));
    Press(dialog, "add");
    QCOMPARE(Stored("Options", "New"), std::optional(RegistryValue::Dword("New", 5)));
    QVERIFY(Listing(dialog).contains(QStringLiteral("\nNew=5 \n")));
  }

  void addOfAnExistingValueSaysSo() {
    CKBNRegistryDlg dialog;
    Type(dialog, "section", QStringLiteral("Options"));
    Type(dialog, "name", QStringLiteral("Tips"));
    Type(dialog, "value", QStringLiteral("0"));
    ChooseType(dialog, QStringLiteral("REG_DWORD"));
    Press(dialog, "add");
    QCOMPARE(Ui().Texts(),
             std::vector<std::string>{"The value Software\\Orlendt Software Applications\\Zarvic\\"
                                      "Options\\Tips already exists\n"});
    QCOMPARE(Stored("Options", "Tips"), std::optional(RegistryValue::Dword("Tips", 1)));
  }

  void saveAndDeleteThroughTheButtons() {
    CKBNRegistryDlg dialog;
    dialog.show();
    ClickLine(dialog, QStringLiteral("Tips=1 "));
    Type(dialog, "value", QStringLiteral("0a ff"));
    ChooseType(dialog, QStringLiteral("REG_BINARY"));
    Press(dialog, "save");
    QCOMPARE(Stored("Options", "Tips"), std::optional(RegistryValue::Binary("Tips", {0x0A, 0xFF})));
    QVERIFY(Listing(dialog).contains(QStringLiteral("\nTips=0A FF \n")));
    Press(dialog, "delete");
    QVERIFY(!Stored("Options", "Tips"));
    QVERIFY(Ui().messages.empty());
  }

  void deleteSectionAsksOnlyWhenItHoldsValues() {
    CKBNRegistryDlg dialog;
    Type(dialog, "section", QStringLiteral("Options"));
    Ui().answers = {Answer::No};
    Press(dialog, "deleteSection");
    QCOMPARE(Ui().messages.size(), size_t{1});
    QCOMPARE(Ui().messages[0].kind, MessageKind::YesNo);
    QCOMPARE(Ui().messages[0].text,
             std::string("Section \"Options\" contains subkeys or values that will also be "
                         "deleted.\nDo you want to delete it anyway?"));
    QVERIFY(Stored("Options", "Tips"));

    Ui().messages.clear();
    Type(dialog, "section", QStringLiteral("Empty"));
    Press(dialog, "deleteSection");
    QVERIFY(Ui().messages.empty());
    QVERIFY(!Listing(dialog).contains(QStringLiteral("[Empty]")));

    Type(dialog, "section", QStringLiteral("Added"));
    Press(dialog, "addSection");
    QVERIFY(Listing(dialog).endsWith(QStringLiteral("\n[Added]")));
    QVERIFY(Ui().messages.empty());
  }

  // The program's own message boxes: the question of Delete Section answered No by its button.
  void realQuestionBoxKeepsTheSectionOnNo() {
    MessageBoxUserInterface boxes;
    ScopedUserInterface scoped(boxes);
    CKBNRegistryDlg dialog;
    dialog.show();
    Type(dialog, "section", QStringLiteral("Options"));
    QString asked;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      asked = box->text();
      box->button(QMessageBox::No)->click();
    });
    Press(dialog, "deleteSection");
    QVERIFY(asked.startsWith(QStringLiteral("Section \"Options\" contains subkeys or values")));
    QVERIFY(Stored("Options", "Tips"));
  }

  void escapeNeitherSavesNorCloses() {
    CKBNRegistryDlg dialog;
    dialog.show();
    ClickLine(dialog, QStringLiteral("Tips=1 "));
    Type(dialog, "value", QStringLiteral("0"));
    QTest::keyClick(Child<QLineEdit>(dialog, "value"), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(Stored("Options", "Tips"), std::optional(RegistryValue::Dword("Tips", 1)));
    Press(dialog, "done");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  // What another program writes shows at F5; until then the listing stays as it was.
  void f5ShowsWhatAnotherProgramWrote() {
    CKBNRegistryDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    {
      RegistryStore other;
      QVERIFY(other.Open(storePath_).ok());
      QVERIFY(other.SetValue("Zarvic", "Options", RegistryValue::String("From", "elsewhere")).ok());
    }
    QVERIFY(!Listing(dialog).contains(QStringLiteral("From=")));
    QTest::keyClick(Child<QLineEdit>(dialog, "name"), Qt::Key_F5);
    QVERIFY(Listing(dialog).contains(QStringLiteral("\nFrom=elsewhere\n")));
  }

  void unknownTypesWarnAtEveryListing() {
    {
      RegistryStore store;
      QVERIFY(store.Open(storePath_).ok());
      QVERIFY(
          store.SetValue("Zarvic", "Options", {"Multi", 7, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}}).ok());
    }
    CKBNRegistryDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(Listing(dialog).contains(QStringLiteral("\nMulti=one\n")));
    QCOMPARE(Ui().messages.size(), size_t{1});
    QTest::keyClick(&dialog, Qt::Key_F5);
    QCOMPARE(Ui().messages.size(), size_t{2});
    QVERIFY(Ui().messages[1].text.find("has the type REG_MULTI_SZ, which is listed as text") !=
            std::string::npos);
  }

  void dumpWritesWhereTheDialogSays() {
    QTemporaryDir folder;
    const std::string chosen = folder.filePath(QStringLiteral("dump.txt")).toStdString();
    Ui().files = {chosen};
    CKBNRegistryDlg dialog;
    Press(dialog, "dumpToFile");
    QCOMPARE(Ui().fileRequests.at(0).initialPath,
             storePath_.substr(0, storePath_.rfind('/')) + "/ZrvNetReg.txt");
    QCOMPARE(ReadAll(QString::fromStdString(chosen)),
             QStringLiteral(
                 "[Settings]\r\nREG_DWORD Number of MRU files=10 \r\n[Options]\r\nREG_DWORD AtKBN=0 \r\n"
                 "REG_DWORD Tips=1 \r\n[Empty]\r\n"));
    QCOMPARE(Ui().Texts(), std::vector<std::string>{"The settings were written to " + chosen});
  }

  void aboutBoxFromTheMenu() {
    CKBNRegistryDlg dialog;
    dialog.show();
    QString title, text;
    testing::WhenModalShown([&](QWidget* modal) {
      title = modal->windowTitle();
      for (auto* label : modal->findChildren<QLabel*>()) text += label->text();
      auto* ok = modal->findChild<QPushButton*>();
      QVERIFY(ok);
      QCOMPARE(ok->text(), QStringLiteral("OK"));
      ok->click();
    });
    auto* about = dialog.findChild<QAction*>(QStringLiteral("about"));
    QVERIFY(about);
    QCOMPARE(about->text(), QStringLiteral("&About KBNRegistry..."));
    about->trigger();
    QCOMPARE(title, QStringLiteral("About KBNRegistry"));
    QCOMPARE(text, QStringLiteral("KBNRegistry, Version 1.0"));
  }

  // The utility adds the footer settings through its widgets; the calculator's next batch run reads
  // them from the same store and prints the footer.
  void calculatorReportsTheFooterTheUtilityAdded() {
    QTemporaryDir work;
    const QString input = work.filePath(QStringLiteral("LATE.TXT"));
    QVERIFY(QFile::copy(QStringLiteral(ZARVIC_SOURCE_DIR "/examples/LATE.TXT"), input));
    const QString footer = QStringLiteral("Prepared by the Registry Utility test");

    QProcess first;
    QCOMPARE(RunBatchDataEntry(first, input), 0);
    QVERIFY(!ReadAll(work.filePath(QStringLiteral("LATE.rpt"))).contains(footer));

    CKBNRegistryDlg dialog;
    dialog.show();
    Type(dialog, "section", QStringLiteral("Report Settings"));
    Press(dialog, "addSection");
    Type(dialog, "name", QStringLiteral("Include Footer"));
    Type(dialog, "value", QStringLiteral("1"));
    ChooseType(dialog, QStringLiteral("REG_DWORD"));
    Press(dialog, "add");
    Type(dialog, "name", QStringLiteral("Footer"));
    Type(dialog, "value", footer);
    ChooseType(dialog, QStringLiteral("REG_SZ"));
    Press(dialog, "add");
    QCOMPARE(Ui().Texts(), std::vector<std::string>{});

    QProcess second;
    QCOMPARE(RunBatchDataEntry(second, input), 0);
    QVERIFY2(ReadAll(work.filePath(QStringLiteral("LATE.rpt"))).contains(footer),
             qPrintable(QString::fromUtf8(second.readAllStandardError())));
  }

  // Both programs write the store at the same time; every value either wrote is there afterwards.
  void bothProgramsWritingLoseNothing() {
    QTemporaryDir work;
    const QString input = work.filePath(QStringLiteral("LATE.TXT"));
    QVERIFY(QFile::copy(QStringLiteral(ZARVIC_SOURCE_DIR "/examples/LATE.TXT"), input));
    {
      RegistryStore store;
      QVERIFY(store.Open(storePath_).ok());
      QVERIFY(store.DeleteSection("Zarvic", "Options").ok());
    }
    CKBNRegistryDlg dialog;
    Type(dialog, "section", QStringLiteral("Utility"));
    Press(dialog, "addSection");
    ChooseType(dialog, QStringLiteral("REG_DWORD"));
    QProcess wzrv;
    RunBatchDataEntry(wzrv, input, false);
    constexpr int kValues = 40;
    for (int i = 0; i < kValues; ++i) {
      Type(dialog, "name", QStringLiteral("V%1").arg(i));
      Type(dialog, "value", QString::number(i));
      Press(dialog, "add");
    }
    QVERIFY(wzrv.waitForFinished(120000));
    QCOMPARE(wzrv.exitCode(), 0);
    QCOMPARE(Ui().Texts(), std::vector<std::string>{});
    for (int i = 0; i < kValues; ++i) {
      QCOMPARE(Stored("Utility", "V" + std::to_string(i)),
               std::optional(RegistryValue::Dword("V" + std::to_string(i), i)));
    }
    // The calculator's start-up writes its Tips setting back.
    QCOMPARE(Stored("Options", "Tips"), std::optional(RegistryValue::Dword("Tips", 1)));
  }
};

}  // namespace zarvic::regutil

QTEST_MAIN(zarvic::regutil::KbnRegistryTest)
#include "KbnRegistryTest.moc"
