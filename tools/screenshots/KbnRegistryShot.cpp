#include <QApplication>
#include <QMouseEvent>
#include <QTextBlock>

#include "core/RegistryStore.h"
#include "regutil/ui/CBasicEdit.h"
#include "regutil/ui/CKBNRegistryDlg.h"
#include "tools/screenshots/Screenshots.h"

namespace zarvic::screenshots {
namespace {

// A store with a few sections and a value of every type, one of them a type the utility only shows.
void WriteSampleStore(const std::string& path) {
  RegistryStore store;
  store.Open(path);
  const std::vector<RegistryEntry> entries = {
      {"Settings", RegistryValue::Dword("Number of MRU files", 10)},
      {"Settings", RegistryValue::String("DocWindowMax", "0")},
      {"Settings", {"TableDirectory", kRegExpandString, {'$', 'H', 'O', 'M', 'E', '/', 't', 'a', 'b', 'l', 'e', 's'}}},
      {"Settings", RegistryValue::Binary("WindowBytes", {0x0A, 0xFF, 0x10, 0x20, 0x00, 0x7F})},
      {"Options", RegistryValue::Dword("AtKBN", 0)},
      {"Options", RegistryValue::Dword("Tips", 1)},
      {"Options", RegistryValue::String("Default Payment Allocation", "ADBECDCCCCCCCCCCCCCCCCCCCCCCCC")},
      {"Options", {"Recent Tables", 7, {'F', 'E', 'D', 'E', 'R', 'A', 'L', 0, 'S', 'T', 'A', 'T', 'E', 0, 0}}},
      {"Report Settings", RegistryValue::Dword("Include Footer", 1)},
      {"Report Settings", RegistryValue::Dword("Fiscal Year", 11)},
      {"Report Settings", RegistryValue::String("Footer", "Prepared using Zarvic")},
  };
  store.SetValues("Zarvic", entries);
}

// A left press on the listing line that reads text, as the person would pick it.
void PickLine(regutil::CBasicEdit& entries, const QString& text) {
  for (QTextBlock block = entries.document()->begin(); block.isValid(); block = block.next()) {
    if (block.text() != text) continue;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
    QPointF at = entries.cursorRect(cursor).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, entries.viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(entries.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, entries.viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(entries.viewport(), &release);
    return;
  }
}

}  // namespace

std::unique_ptr<QWidget> KbnRegistryShot(const ShotContext& context) {
  const std::string store = (context.scratch + QStringLiteral("/registry.sqlite3")).toStdString();
  WriteSampleStore(store);
  auto dialog = std::make_unique<regutil::CKBNRegistryDlg>(nullptr, store);
  dialog->resize(dialog->sizeHint().expandedTo(dialog->minimumSize()));
  dialog->show();
  QApplication::processEvents();
  if (auto* entries = dialog->findChild<regutil::CBasicEdit*>(QStringLiteral("entries"))) {
    PickLine(*entries, QStringLiteral("Tips=1 "));
  }
  return dialog;
}

}  // namespace zarvic::screenshots
