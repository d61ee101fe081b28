#pragma once

#include <QLineEdit>

namespace zarvic {

// A date field: what was typed is put in the display form when the field is left (1/5/95 becomes
// 01-05-95); a text that is not a date is emptied, message 20032 follows and the focus comes back.
class CEditDate : public QLineEdit {
  Q_OBJECT
 public:
  explicit CEditDate(QWidget* parent = nullptr);

  // Set by the owner: send kCmdDateFieldLeft after every time the field is left.
  void SetNotifyChange(bool on) { notifyChange_ = on; }
  bool NotifyChange() const { return notifyChange_; }

 signals:
  void command(int id, QWidget* control);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool notifyChange_ = false;
};

}  // namespace zarvic
