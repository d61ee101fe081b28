#pragma once

#include <QColor>
#include <QLabel>

namespace zarvic {

// A label drawn in its own colours; by default the window's text colour on the window's background,
// like the edit fields beside it.
class CKNStatic : public QLabel {
  Q_OBJECT
 public:
  explicit CKNStatic(const QString& text, QWidget* parent = nullptr);

  void SetBackColour(const QColor& colour);
  void SetTextColour(const QColor& colour);
  QColor BackColour() const { return backColour_; }
  QColor TextColour() const { return textColour_; }

 private:
  void ApplyColours();

  QColor backColour_;
  QColor textColour_;
};

}  // namespace zarvic
