#include "ratetables/ui/CRateTableNotes.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Text.h"
#include "ratetables/TableNotes.h"
#include "shell/HelpTopics.h"
#include "shell/ui/Help.h"

namespace zarvic {
namespace {

QString NotesForDisplay(const std::string& stored) {
  QString text = QString::fromStdString(Windows1252ToUtf8(stored));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string NotesForStore(const QString& shown) {
  QString text = shown;
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return Utf8ToWindows1252(text.toStdString());
}

}  // namespace

CRateTableNotes::CRateTableNotes(const RateTable& table, bool editable, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Interest Rate Table Notes"));
  SetHelpTopic(this, kHelpRateTableNotesTopic);
  notes_ = new QPlainTextEdit(this);
  notes_->setAccessibleName(QStringLiteral("Table notes"));
  notes_->setPlainText(NotesForDisplay(table.notes));
  notes_->setReadOnly(!editable);
  notes_->setMinimumSize(440, 260);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setVisible(editable);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notes_);
  layout->addWidget(buttons);
}

std::string CRateTableNotes::Notes() const {
  return NotesForStore(notes_->toPlainText());
}

std::optional<std::string> ShowTableNotes(QWidget* parent, const RateTable& table, bool editable) {
  if (!editable && table.notes.empty()) return std::nullopt;
  CRateTableNotes dialog(table, editable, parent);
  if (dialog.exec() != QDialog::Accepted || !editable) return std::nullopt;
  std::string notes = dialog.Notes();
  if (notes == table.notes) return std::nullopt;
  return notes;
}

CTableHasNotes::CTableHasNotes(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Additional Information"));
  SetHelpTopic(this, kHelpRateTableNotesTopic);
  auto* text = new QLabel(QString::fromLatin1(kTableHasNotesText), this);
  text->setWordWrap(true);
  text->setMinimumWidth(380);
  dontShow_ = new QCheckBox(QString::fromLatin1(kTableNotesDontShowText), this);
  auto* view = new QPushButton(QStringLiteral("&View Notes"), this);
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  close->setDefault(true);
  view->setObjectName(QStringLiteral("viewNotes"));
  close->setObjectName(QStringLiteral("close"));
  connect(view, &QPushButton::clicked, this, [this] {
    viewNotes_ = true;
    accept();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(view);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(dontShow_);
  layout->addLayout(buttons);
}

void ShowTableHasNotes(QWidget* parent, const RateTable& table) {
  if (!OffersTableNotes(table)) return;
  CTableHasNotes prompt(parent);
  prompt.exec();
  // Either way out of the prompt keeps the person's choice.
  if (prompt.DontShowAgain()->isChecked()) HideTableNotesPrompt(table.name);
  if (prompt.ViewNotesChosen()) ShowTableNotes(parent, table, false);
}

}  // namespace zarvic
