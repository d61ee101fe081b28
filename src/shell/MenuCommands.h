#pragma once

#include <span>
#include <vector>

#include "core/AppOptions.h"
#include "core/Settings.h"

namespace zarvic {

// Every command of the main window's two menu sets and its toolbar. The windows build one action per
// command from this table (caption, key, status-bar prompt), shared by menu and toolbar.
enum class CommandId {
  FileNew,
  FileOpen,
  FileClose,
  FileSave,
  FileSaveAs,
  SelectRateTable,
  ReportSetupProblem,  // "R&eport Setup..." of a problem window
  ReportSetup,         // "&Report Setup..." without a problem
  FilePrint,
  FilePrintPreview,
  FilePrintSetup,
  Exit,
  SortEvents,
  DeleteLine,
  ViewToolbar,
  ViewStatusBar,
  PenaltyBar,
  ComputeTotals,
  PenaltySelection,
  HotInterest,
  CCorpRefund,
  PayoffCalculator,
  EstimatedTaxPenalty,
  DepositPenalty,
  AllocatePayment,
  ReportSelection,
  OptionSpecialCR,
  OptionTips,
  OptionWholeDollar,
  OptionShowCentury,
  OptionDefaultGatt,
  OptionUseDescriptions,
  OptionMinimumPenalty,
  OptionShowAllocation,
  OptionPenaltyStatusBar,
  DefaultPaymentAllocation,
  ExportCsv,
  ImportCsv,
  EditRateTable,
  ChangeFont,
  BatchModeEdit,
  WindowCascade,
  WindowTile,
  HelpIndex,
  HelpGettingStarted,
  HelpRefunds,         // main window caption
  HelpRefundInterest,  // problem window caption, same topic
  HelpNetting,
  HelpEstimatedTax,
  HelpTaxDeposit,
  HelpTechnicalSupport,
  HelpUsersGuide,
  HelpImportExport,
  About,
};

struct CommandInfo {
  CommandId id;
  const char* caption;    // with its "&" mnemonic
  const char* shortcut;   // portable key text ("Ctrl+N", "F9"); "" for none
  const char* statusTip;  // the status-bar prompt
  // False while the window the command opens belongs to a later version: the command is shown,
  // disabled, until that window connects it.
  bool available;
  bool needsProblem;  // acts on the active problem window
  bool checkable;
  const char* helpTopic = "";   // help commands: the topic page
  const char* manualFile = "";  // manual commands: the PDF beside the program
};

std::span<const CommandInfo> Commands();
const CommandInfo& Command(CommandId id);

// The two menu bars: without an open problem, and with a problem window active.
enum class MenuSet { NoProblem, Problem };

struct MenuEntry {
  enum class Kind { Command, Separator, RecentFiles, WindowList };
  Kind kind = Kind::Command;
  CommandId id = CommandId::FileNew;
};

struct MenuInfo {
  const char* caption;
  std::vector<MenuEntry> entries;
};

std::vector<MenuInfo> MenuBar(MenuSet set);

// The toolbar "Button bar", in order; separatorBefore puts a separator ahead of the button.
struct ToolbarButton {
  CommandId id;
  const char* accessibleName;
  bool separatorBefore;
};
std::span<const ToolbarButton> ToolbarButtons();

// The Options menu's toggles: each flips its cached setting and writes it at once.
struct OptionToggle {
  CommandId id;
  SettingId setting;
  bool AppOptions::*member;
  bool inverted;      // checked while the setting is 0
  bool refreshViews;  // every problem view shows amounts or dates differently afterwards
};
std::span<const OptionToggle> OptionToggles();
const OptionToggle* FindOptionToggle(CommandId id);
bool OptionChecked(const OptionToggle& toggle);
// Flips the option and writes it; false when the settings could not be written (shown already).
bool ToggleOption(const OptionToggle& toggle);

// "&Batch Mode Edit...": asks for the batch file (starting in the program's folder) and adds its rate
// lines to the tables in that file's folder. False when cancelled or not every line was dealt with.
bool BatchModeEdit();

}  // namespace zarvic
