#pragma once

namespace zarvic {

class CTDoc;

// The finding of the input checks of penalty k: 0 none, else a code whose message is 19399 + code.
// Codes 12, 13 and 15 are cautions; every other code is an error.
int PenaltyValidationCode(const CTDoc& doc, int k);
inline bool IsPenaltyCaution(int code) {
  return code == 12 || code == 13 || code == 15;
}

// The checks a penalty window runs on OK (show: the finding's message) and after Cancel (quiet: any
// finding switches the penalty off). An inactive record passes. False for an error.
bool ValidatePenalty(CTDoc& doc, int k, bool show);

}  // namespace zarvic
