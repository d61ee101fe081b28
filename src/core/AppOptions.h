#pragma once

#include <string>

namespace zarvic {

// The options the core obeys implicitly. The settings load them at start-up (Settings.h);
// tests set them directly. One instance per program run.
struct AppOptions {
  bool wholeDollarMode = false;        // "Whole Dollar Mode"
  bool showCentury = false;            // "Show Century in Dates"
  bool specialCR = false;              // "SpecialCR": Enter acts as Tab; off while a message box is up
  bool defaultGatt = false;            // "Default GATT"
  bool overrideIrsAllocation = false;  // "Override IRS Payment Allocation"
  bool useDescriptions = true;         // "Use descriptions"
  bool atKbn = false;                  // "AtKBN"

  bool tips = true;                          // "Tips": dialogs show their tips panel
  bool showPenaltyStatusBar = true;          // "Show penalty status bar"
  bool alwaysShowPaymentAllocation = false;  // "Always show payment allocation"
  bool dontShowTempFileWarning = false;      // "Dont Show Temp File Warning"
  int numberOfMruFiles = 10;                 // "Number of MRU files": length of the recent-file list
  // "Default Payment Allocation": priority letters of new allocation records, one per category
  std::string defaultPaymentAllocation = "ADBECDCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC";

  bool operator==(const AppOptions&) const = default;
};

AppOptions& Options();

// Suspensions are counted apart from the settings, so a setting the user changes while one is in
// force (a toggle clicked while a message box is up) is neither undone nor lost when it ends.
struct OptionSuspensions {
  int specialCR = 0;        // message boxes and file dialogs: Enter answers them
  int wholeDollarMode = 0;  // the penalty pass and the rate table editor compute and show cents
};
OptionSuspensions& Suspensions();

// What the code obeys: the setting, unless a suspension is in force.
inline bool WholeDollarActive() { return Options().wholeDollarMode && Suspensions().wholeDollarMode == 0; }
inline bool SpecialCRActive() { return Options().specialCR && Suspensions().specialCR == 0; }

// Suspends "Whole Dollar Mode" for a scope (the penalty pass computes to the cent whatever the option says).
class WholeDollarSuspender {
 public:
  WholeDollarSuspender() { ++Suspensions().wholeDollarMode; }
  ~WholeDollarSuspender() { --Suspensions().wholeDollarMode; }
  WholeDollarSuspender(const WholeDollarSuspender&) = delete;
  WholeDollarSuspender& operator=(const WholeDollarSuspender&) = delete;
};

// Suspends "Enter Key Acts as Tab Key" while a message box or a file dialog is open.
class SpecialCRSuspension {
 public:
  SpecialCRSuspension() { ++Suspensions().specialCR; }
  ~SpecialCRSuspension() { --Suspensions().specialCR; }
  SpecialCRSuspension(const SpecialCRSuspension&) = delete;
  SpecialCRSuspension& operator=(const SpecialCRSuspension&) = delete;
};

}  // namespace zarvic
