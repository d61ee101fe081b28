#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zarvic {

// Every numbered user-visible text of the program (ids mostly 18000-21005), exactly as the program
// shows them, escapes decoded. An unknown id gives the empty text.
std::string_view StringText(int id);
bool HasString(int id);
// The text of id with its printf fields filled from the arguments.
std::string FormatStringText(int id, ...);

struct StringEntry {
  int id;
  const char* text;
};

// The whole table, sorted by id with one entry per id (for checks and listings).
std::span<const StringEntry> StringTableEntries();

}  // namespace zarvic
