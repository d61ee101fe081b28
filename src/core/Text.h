#pragma once

#include <span>
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

// The text as it may go to a terminal: line feeds and tabs kept, well-formed UTF-8 kept, every other
// control byte, C1 control character and byte that is not UTF-8 shown as "\r" or "\xNN", so that a
// file's bytes never drive the terminal.
std::string EscapeForTerminal(std::string_view text);
// A value put into a message (a path, a name, text from a file): escaped as EscapeForTerminal does, and
// line feeds and tabs too, so that the value stays on its line and cannot forge another.
std::string EscapeForMessage(std::string_view text);

// Windows-1252 text of a problem as it may go into a report line: each control character (C0, DEL,
// and the five bytes Windows-1252 leaves undefined, which become C1 controls in UTF-8) is replaced,
// a tab or line break by a blank, any other by "?". One byte for one byte, in place, so columns stay
// where they were, and a report shown on a terminal cannot drive it.
void ReplaceControlCharacters(std::span<char> windows1252);

// Text encoding: problem and rate table files keep their 8-bit text in Windows-1252, so that they stay
// exchangeable with files written elsewhere, and the problem holds its texts that way; text input
// files, CSV files and reports are UTF-8. Text is converted where it enters and leaves, so that report
// columns count characters, not bytes.
// UTF-8 to Windows-1252: a character it lacks becomes "?"; a byte that is not UTF-8 is taken as a
// Windows-1252 character already (a file written elsewhere).
std::string Utf8ToWindows1252(std::string_view text);
// Whether Utf8ToWindows1252 keeps every character of the text (none becomes "?"): where text enters a
// problem, text that does not fit is refused with message 21252 instead.
bool FitsWindows1252(std::string_view text);
inline constexpr int kTextDoesNotFitId = 21252;
// Windows-1252 to UTF-8; the five bytes it leaves undefined become the control characters U+0081 etc.
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace zarvic
