#pragma once

// What the program's own controls share: their key codes in the core's terms, a TextField over a
// line edit, and the queued sending of their commands.

#include <QFocusEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

#include "core/ControlCommands.h"
#include "core/FieldRules.h"

namespace zarvic {

NavKey NavKeyOf(int qtKey);

// A text of the core's tables (UTF-8) for a widget.
inline QString Utf8Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Focus that leaves only for a moment (a message box or a popup list opens over the window) is not
// leaving the field: the field is checked when the person moves on, not when a window steals the focus.
inline bool LeavesField(const QFocusEvent* event) {
  return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

class LineEditField : public TextField {
 public:
  explicit LineEditField(QLineEdit& edit) : edit_(edit) {}
  std::string Text() const override { return edit_.text().toStdString(); }
  void SetText(const std::string& text) override { edit_.setText(QString::fromStdString(text)); }

 private:
  QLineEdit& edit_;
};

// Sends control->command(id, control) after the current event is over; nothing once the control is gone.
template <class Control>
void PostCommand(Control* control, int id) {
  QMetaObject::invokeMethod(
      control, [control, id] { emit control->command(id, control); }, Qt::QueuedConnection);
}

// A line edit's text limit, without cutting a longer text the field already shows.
void SetFieldLimit(QLineEdit& edit, int limit);

// Selects the whole text once the click or key that gave the focus is done with the field.
void SelectAllLater(QLineEdit& edit);

// Shows a text in a field that takes limit characters, never cutting a longer text it is given (one
// from a file written elsewhere): the field then takes that text's length.
void ShowTextWithin(QLineEdit& edit, const QString& text, int limit);

// Text that goes into a problem: what the problem file cannot store (Windows-1252 only: no CJK, no
// emoji) is refused as it is typed or pasted, with message 21252, and the field keeps its text.
class ProblemTextValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;

 private:
  mutable bool telling_ = false;  // one message for one refused key or paste
};
void RefuseTextTheFileCannotStore(QLineEdit& edit);

}  // namespace zarvic
