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

// Sets the whole-dollar option for a scope and restores it afterwards (the penalty pass computes to the
// cent whatever the option says).
class WholeDollarSuspender {
 public:
  WholeDollarSuspender() : saved_(Options().wholeDollarMode) { Options().wholeDollarMode = false; }
  ~WholeDollarSuspender() { Options().wholeDollarMode = saved_; }
  WholeDollarSuspender(const WholeDollarSuspender&) = delete;
  WholeDollarSuspender& operator=(const WholeDollarSuspender&) = delete;

 private:
  bool saved_;
};

}  // namespace zarvic
