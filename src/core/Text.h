#pragma once

#include <string>
#include <string_view>

namespace zarvic {

std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// For formats taken from the string table (not literals).
std::string StringPrintfDynamic(const char* format, ...);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string ToUpper(std::string_view text);
std::string Trim(std::string_view text);  // blanks and tabs on both sides

}  // namespace zarvic
