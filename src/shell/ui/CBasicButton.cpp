#include "shell/ui/CBasicButton.h"

namespace zarvic {

CBasicButton::CBasicButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setAutoDefault(false);
  setDefault(false);
}

}  // namespace zarvic
