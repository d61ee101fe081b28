#pragma once

#include <QApplication>
#include <memory>

namespace zarvic {

class QtUserInterface;

// The calculator's QApplication: number texts stay locale-free, messages go to message boxes and
// files open with the desktop's default application.
class DesktopApplication : public QApplication {
  Q_OBJECT
 public:
  DesktopApplication(int& argc, char** argv);
  ~DesktopApplication() override;

  QtUserInterface& Ui() { return *ui_; }

 private:
  std::unique_ptr<QtUserInterface> ui_;
};

// Qt sets the C library's locale from the user's when the application starts; the core formats
// numbers with the C library, so its decimal point must stay ".". Call after creating a QApplication.
void KeepNumbersLocaleFree();

}  // namespace zarvic
