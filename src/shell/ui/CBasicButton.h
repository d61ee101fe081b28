#pragma once

#include <QPushButton>

namespace zarvic {

// A plain push button of a window that is not a dialog ("Notes" in the problem window): it never
// becomes a default button, so Enter in the window keeps its own meaning.
class CBasicButton : public QPushButton {
  Q_OBJECT
 public:
  explicit CBasicButton(const QString& text, QWidget* parent = nullptr);
};

}  // namespace zarvic
