#pragma once

namespace zarvic {

// Puts the penalty windows behind the core's hooks: OpenPenaltySelection shows CPenaltySelection,
// EditPenalty the input window of the penalty's class. Called once by the application.
void InstallPenaltyWindows();
void UninstallPenaltyWindows();

}  // namespace zarvic
