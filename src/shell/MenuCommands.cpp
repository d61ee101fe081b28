#include "shell/MenuCommands.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/Paths.h"
#include "core/UserInterface.h"
#include "ratetables/BatchEdit.h"

namespace zarvic {
namespace {

using C = CommandId;
using S = SettingId;

// caption, key, prompt, available now, needs a problem, checkable (help topic, manual)
constexpr CommandInfo kCommands[] = {
    {C::FileNew, "&New", "Ctrl+N", "Start a new Zarvic problem", true, false, false},
    {C::FileOpen, "&Open...", "Ctrl+O", "Open a previously saved Zarvic problem", true, false, false},
    {C::FileClose, "&Close", "", "Close the active problem", true, true, false},
    {C::FileSave, "&Save", "Ctrl+S", "Save the current Zarvic problem", true, true, false},
    {C::FileSaveAs, "Save &As...", "", "Save the active problem with a new name", true, true, false},
    {C::SelectRateTable, "Select Rate &Table...", "", "Select an Interest Rate Table", true, true, false},
    {C::ReportSetupProblem, "R&eport Setup...", "", "Choose the reports printed by default", true, true, false},
    {C::ReportSetup, "&Report Setup...", "", "Choose the reports printed by default", true, false, false},
    {C::FilePrint, "&Print...", "Ctrl+P", "Print Zarvic Reports", true, true, false},
    {C::FilePrintPreview, "Print Pre&view", "", "Show the reports as they will be printed", true, true, false},
    {C::FilePrintSetup, "P&rint Setup...", "", "Change the printer and printing options", true, false, false},
    {C::Exit, "E&xit", "", "Quit Zarvic; asks to save changed problems", true, false, false},
    {C::SortEvents, "&Sort Events", "", "Sort the events by date", true, true, false},
    {C::DeleteLine, "&Delete Line", "Ctrl+D", "Delete the selected events", true, true, false},
    {C::ViewToolbar, "&Toolbar", "", "Show or hide the toolbar", true, false, true},
    {C::ViewStatusBar, "&Status Bar", "", "Show or hide the status bar", true, false, true},
    {C::PenaltyBar, "&Penalty Bar", "", "Show or hide the active penalties below the events", true, true, true},
    {C::ComputeTotals, "&Compute Totals...", "F9", "Compute interest and penalties", true, true, false},
    {C::PenaltySelection, "&Penalty Selection...", "F3", "IRS Penalty Selection", true, true, false},
    {C::HotInterest, "&Hot Interest...", "", "Activates Hot Interest Calculations for C Corporations", true, true,
     true},
    {C::CCorpRefund, "C Corp &Refund Issues...", "", "GATT Refund Issues", true, true, true},
    {C::PayoffCalculator, "Payoff Calculator...", "", "Plan the payments that clear the balance", true, true,
     false},
    {C::EstimatedTaxPenalty, "&Estimated Tax Penalty...", "",
     "Figure the addition for underpaid estimated tax (IRC 6654, 6655)", true, true, false},
    {C::DepositPenalty, "&Deposit Penalty...", "", "Figure the failure-to-deposit penalty (IRC 6656)", true, true,
     false},
    {C::AllocatePayment, "&Allocate a Payment...", "F2", "Allocate the selected payment", true, true, false},
    {C::ReportSelection, "&Report Selection...", "", "Select a report and computation date", true, true, false},
    {C::OptionSpecialCR, "&Enter Key Acts as Tab Key", "", "Enter moves to the next field in dialogs", true, false,
     true},
    {C::OptionTips, "Show &Tips", "", "Show the tips panel in dialogs", true, false, true},
    {C::OptionWholeDollar, "&Whole Dollar Mode", "", "Enter and show amounts in whole dollars", true, false, true},
    {C::OptionShowCentury, "Show &Century in Dates", "", "Show dates with four-digit years", true, false, true},
    {C::OptionDefaultGatt, "&GATT Active at Start-up", "", "New problems start as C corporations", true, false,
     true},
    {C::OptionUseDescriptions, "&Use Event Descriptions on Reports", "",
     "Reports show event descriptions instead of event names", true, false, true},
    {C::OptionMinimumPenalty, "Use &Minimum Penalty Rule in Failure to File", "",
     "Apply the minimum penalty rule to failure to file", true, false, true},
    {C::OptionShowAllocation, "&Payment Allocation Window is Displayed", "",
     "Show the payment allocation window when a payment is entered", true, false, true},
    {C::OptionPenaltyStatusBar, "Default to Show Penalty &Status Bar", "",
     "New problem windows show the active penalties", true, false, true},
    {C::DefaultPaymentAllocation, "&Default Payment Allocation...", "", "Set the default payment allocation", true,
     false, false},
    {C::ExportCsv, "Export to CSV file...", "", "Write the events to a CSV file", true, true, false},
    {C::ImportCsv, "Import from CSV file...", "", "Read events from a CSV file", true, true, false},
    {C::EditRateTable, "Edit Interest &Rate Table...", "", "View and change an interest rate table", true, false,
     false},
    {C::ChangeFont, "Change &Font...", "", "Choose the fixed-pitch font of the reports", true, false, false},
    {C::BatchModeEdit, "&Batch Mode Edit...", "", "Add the rate lines of a CSV file to the rate tables", true,
     false, false},
    {C::WindowCascade, "&Cascade", "", "Arrange the problem windows so they overlap", true, true, false},
    {C::WindowTile, "&Tile", "", "Arrange the problem windows side by side", true, true, false},
    {C::HelpIndex, "&Index", "F1", "Show the help index", true, false, false, "::/html/ka_7_l.htm"},
    {C::HelpGettingStarted, "&Getting Started", "", "How to set up and compute a first problem", true, false,
     false, "::/html/n8a_hr.htm"},
    {C::HelpRefunds, "&Refunds", "", "Interest on refunds and overpayments", true, false, false,
     "::/html/ka_6cf.htm"},
    {C::HelpRefundInterest, "&Refund Interest", "", "Interest on refunds and overpayments", true, false, false,
     "::/html/ka_6cf.htm"},
    {C::HelpNetting, "&Netting", "", "Netting of underpayment and overpayment interest", true, false, false,
     "::/html/ka_6cg.htm"},
    {C::HelpEstimatedTax, "&Estimated Tax Penalties", "", "Penalties for underpaid estimated tax", true, false,
     false, "::/html/ka_6ag.htm"},
    {C::HelpTaxDeposit, "&Tax Deposit Penalties", "", "Penalties for late or missing tax deposits", true, false,
     false, "::/html/ka_6ah.htm"},
    {C::HelpTechnicalSupport, "Technical &Support", "", "How to reach technical support", true, false, false,
     "::/html/2m265vp.htm"},
    {C::HelpUsersGuide, "&User's Guide", "", "Open the user's guide (PDF)", true, false, false, "",
     "Zarvic-Users-Guide.pdf"},
    {C::HelpImportExport, "I&mport/Export", "", "Open the import and export guide (PDF)", true, false, false, "",
     "ImportExport.pdf"},
    {C::About, "&About Zarvic...", "", "Show the version and build of Zarvic", true, false, false},
};

constexpr ToolbarButton kToolbar[] = {
    {C::FileNew, "New File", false},
    {C::FileOpen, "Open File", false},
    {C::FileSave, "Save File", false},
    {C::PenaltySelection, "Penalties", true},
    {C::HotInterest, "Hot Interest", false},
    {C::CCorpRefund, "GATT Issues", false},
    {C::ComputeTotals, "ComputeTotals", true},
    {C::FilePrint, "Print", true},
    {C::ReportSelection, "PrintPreview", false},
    {C::SelectRateTable, "Select Rate Table", true},
};

constexpr OptionToggle kToggles[] = {
    {C::OptionSpecialCR, S::SpecialCR, &AppOptions::specialCR, false, false},
    {C::OptionTips, S::Tips, &AppOptions::tips, false, false},
    {C::OptionWholeDollar, S::WholeDollarMode, &AppOptions::wholeDollarMode, false, true},
    // Not in the original menu; without it only the registry utility could reach the setting.
    {C::OptionShowCentury, S::ShowCenturyInDates, &AppOptions::showCentury, false, true},
    {C::OptionDefaultGatt, S::DefaultGatt, &AppOptions::defaultGatt, false, false},
    {C::OptionUseDescriptions, S::UseDescriptions, &AppOptions::useDescriptions, false, false},
    {C::OptionMinimumPenalty, S::OverrideIrsPaymentAllocation, &AppOptions::overrideIrsAllocation, true, false},
    {C::OptionShowAllocation, S::AlwaysShowPaymentAllocation, &AppOptions::alwaysShowPaymentAllocation, false,
     false},
    {C::OptionPenaltyStatusBar, S::ShowPenaltyStatusBar, &AppOptions::showPenaltyStatusBar, false, false},
};

constexpr bool InEnumOrder() {
  std::size_t index = 0;
  for (const CommandInfo& info : kCommands) {
    if (static_cast<std::size_t>(info.id) != index++) return false;
  }
  return index == static_cast<std::size_t>(C::About) + 1;
}
static_assert(InEnumOrder(), "Command(id) indexes the table by the enumeration");

MenuEntry Cmd(CommandId id) { return {MenuEntry::Kind::Command, id}; }
MenuEntry Sep() { return {MenuEntry::Kind::Separator, C::FileNew}; }

std::vector<MenuEntry> OptionsEntries(bool problem) {
  std::vector<MenuEntry> entries;
  for (const OptionToggle& toggle : kToggles) {
    if (problem && toggle.id == C::OptionDefaultGatt) continue;  // the main window's menu only
    entries.push_back(Cmd(toggle.id));
  }
  entries.push_back(Cmd(C::DefaultPaymentAllocation));
  entries.push_back(Sep());
  if (problem) {
    entries.push_back(Cmd(C::ExportCsv));
    entries.push_back(Cmd(C::ImportCsv));
    entries.push_back(Sep());
  }
  entries.push_back(Cmd(C::EditRateTable));
  entries.push_back(Cmd(C::ChangeFont));
  return entries;
}

std::vector<MenuEntry> HelpEntries(bool problem) {
  std::vector<MenuEntry> entries = {Cmd(C::HelpIndex), Cmd(C::HelpGettingStarted),
                                    Cmd(problem ? C::HelpRefundInterest : C::HelpRefunds),
                                    Cmd(C::HelpNetting), Cmd(C::HelpEstimatedTax), Cmd(C::HelpTaxDeposit),
                                    Cmd(C::HelpTechnicalSupport), Sep(), Cmd(C::HelpUsersGuide)};
  if (problem) entries.push_back(Cmd(C::HelpImportExport));
  entries.push_back(Sep());
  entries.push_back(Cmd(C::About));
  return entries;
}

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo& Command(CommandId id) {
  return kCommands[static_cast<std::size_t>(id)];
}

std::vector<MenuInfo> MenuBar(MenuSet set) {
  const MenuEntry recent{MenuEntry::Kind::RecentFiles, C::FileNew};
  if (set == MenuSet::NoProblem) {
    return {
        {"&File", {Cmd(C::FileNew), Cmd(C::FileOpen), Sep(), Cmd(C::FilePrintSetup), Cmd(C::ReportSetup), Sep(),
                   recent, Sep(), Cmd(C::Exit)}},
        {"&View", {Cmd(C::ViewToolbar), Cmd(C::ViewStatusBar)}},
        {"&Options", OptionsEntries(false)},
        {"&Help", HelpEntries(false)},
    };
  }
  return {
      {"&File", {Cmd(C::FileNew), Cmd(C::FileOpen), Cmd(C::FileClose), Cmd(C::FileSave), Cmd(C::FileSaveAs), Sep(),
                 Cmd(C::SelectRateTable), Cmd(C::ReportSetupProblem), Sep(), Cmd(C::FilePrint),
                 Cmd(C::FilePrintPreview), Cmd(C::FilePrintSetup), Sep(), recent, Sep(), Cmd(C::Exit)}},
      {"&Edit", {Cmd(C::SortEvents), Cmd(C::DeleteLine)}},
      {"&View", {Cmd(C::ViewToolbar), Cmd(C::ViewStatusBar), Cmd(C::PenaltyBar)}},
      {"&Compute", {Cmd(C::ComputeTotals), Cmd(C::PenaltySelection), Cmd(C::HotInterest), Cmd(C::CCorpRefund),
                    Cmd(C::PayoffCalculator), Cmd(C::EstimatedTaxPenalty), Cmd(C::DepositPenalty),
                    Cmd(C::AllocatePayment)}},
      {"&Reports", {Cmd(C::ReportSelection)}},
      {"&Options", OptionsEntries(true)},
      {"&Window", {Cmd(C::WindowCascade), Cmd(C::WindowTile), Sep(), {MenuEntry::Kind::WindowList, C::FileNew}}},
      {"&Help", HelpEntries(true)},
  };
}

std::span<const ToolbarButton> ToolbarButtons() { return kToolbar; }

std::span<const OptionToggle> OptionToggles() { return kToggles; }

const OptionToggle* FindOptionToggle(CommandId id) {
  auto it = std::find_if(std::begin(kToggles), std::end(kToggles), [id](const OptionToggle& t) { return t.id == id; });
  return it == std::end(kToggles) ? nullptr : it;
}

bool OptionChecked(const OptionToggle& toggle) { return (Options().*toggle.member) != toggle.inverted; }

bool ToggleOption(const OptionToggle& toggle) {
  bool& value = Options().*toggle.member;
  value = !value;
  return WriteIntSetting(toggle.setting, value ? 1 : 0);
}

bool BatchModeEdit() {
  FileChoice choice;
  choice.title = "Open";
  choice.initialPath = ProgramFolder() + "/";
  choice.filter = "CSV files (*.csv)|*.csv|All Files (*.*)|*.*||";
  choice.defaultExtension = "csv";
  std::optional<std::string> file = ChooseFileName(choice);
  if (!file) return false;
  return BatchEditTables(*file, FolderOf(*file));
}

}  // namespace zarvic
