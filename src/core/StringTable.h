#pragma once

#include <string>
#include <string_view>

namespace zarvic {

// Every numbered user-visible text of the program (ids mostly 18000-21005), exactly as the program
// shows them, escapes decoded. An unknown id gives the empty text.
std::string_view StringText(int id);
bool HasString(int id);

}  // namespace zarvic
