#pragma once

#include <QDialog>
#include <string>

#include "core/RegistryStore.h"
#include "regutil/RegistryEditor.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zarvic::regutil {

class CBasicEdit;

// "Orlendt Software Registry Entries": the utility's one window. It maps its widgets to a
// RegistryEditor, which holds the rules; messages go through the installed UserInterface.
class CKBNRegistryDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CKBNRegistryDlg(QWidget* parent = nullptr, const std::string& storePath = DefaultRegistryPath());

  RegistryEditor& Editor() { return editor_; }

 public slots:
  void ShowAbout();
  void Refresh();  // F5

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildWidgets();
  void FillTypeList();
  void FillPrograms();
  // Gives the editor the fields' texts, runs an operation and shows what it changed.
  void Run(void (RegistryEditor::*operation)());
  void ReadFields();
  void ShowFields();
  // Puts a new listing into the listing control; an unchanged one is left where it is scrolled.
  void ShowListing();
  void HighlightRememberedLine();
  void Pick(QPoint viewportPos);

  RegistryEditor editor_;
  int shownListing_ = -1;
  QComboBox* programs_ = nullptr;
  QLineEdit* section_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* value_ = nullptr;
  QComboBox* type_ = nullptr;
  CBasicEdit* entries_ = nullptr;
};

}  // namespace zarvic::regutil
