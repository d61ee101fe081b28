#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
class QPushButton;

namespace zarvic {

// The program's help window: one page of the help folder at a time, with Contents, Index, Back and
// Forward. Links between pages stay in the window.
class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  HelpWindow(const QString& helpFolder, QWidget* parent = nullptr);

  // Shows a page of the help folder ("html/ka_6cg.htm"); false when it cannot be read.
  bool ShowPage(const QString& page);
  QString CurrentPage() const;  // relative to the help folder
  QString PageTitle() const;
  QTextBrowser* Browser() const { return browser_; }

 private:
  void UpdateTitle();

  QString folder_;
  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
};

}  // namespace zarvic
