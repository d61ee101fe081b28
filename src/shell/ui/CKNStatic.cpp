#include "shell/ui/CKNStatic.h"

#include <QPalette>

namespace zarvic {

CKNStatic::CKNStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent),
      backColour_(palette().color(QPalette::Base)),
      textColour_(palette().color(QPalette::Text)) {
  setAutoFillBackground(true);
  ApplyColours();
}

void CKNStatic::SetBackColour(const QColor& colour) {
  if (colour == backColour_) return;
  backColour_ = colour;
  ApplyColours();
}

void CKNStatic::SetTextColour(const QColor& colour) {
  textColour_ = colour;
  ApplyColours();
}

void CKNStatic::ApplyColours() {
  QPalette p = palette();
  p.setColor(QPalette::Window, backColour_);
  p.setColor(QPalette::WindowText, textColour_);
  setPalette(p);
}

}  // namespace zarvic
