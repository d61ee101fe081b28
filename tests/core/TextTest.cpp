#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/Text.h"

namespace zarvic {
namespace {

// A refused line is echoed on standard error: its bytes must not reach the terminal raw.
TEST(TextTest, EscapeForTerminal) {
  const std::pair<std::string, std::string> cases[] = {
      {"TAX\t04-15-95\t1000", "TAX\t04-15-95\t1000"},
      {"two\nlines", "two\nlines"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},                 // UTF-8 stays
      {"\x1B[2Jgone", "\\x1B[2Jgone"},               // an escape sequence is shown, not run
      {"end\r", "end\\r"},
      {"bell\x07", "bell\\x07"},
      {"caf\xE9", "caf\\xE9"},                       // Windows-1252 byte that is no UTF-8
      {"\xC2\x9B" "c1", "\\xC2\\x9Bc1"},             // a C1 control character
      {"\xE2\x82", "\\xE2\\x82"},                    // a cut-off sequence
      {std::string("nul\0x", 5), "nul\\x00x"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(shown, EscapeForTerminal(text)) << shown;
}

// A value put into a message stays on its line: line breaks and tabs are escaped too.
TEST(TextTest, EscapeForMessage) {
  const std::pair<std::string, std::string> cases[] = {
      {"A.ZR3", "A.ZR3"},
      {"two\nlines", "two\\x0Alines"},
      {"tab\there", "tab\\x09here"},
      {"\x1B[2Jgone\r\n", "\\x1B[2Jgone\\r\\x0A"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"\xC2\x9D"
       "osc",
       "\\xC2\\x9Dosc"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(shown, EscapeForMessage(text)) << shown;
}

// A report line keeps its columns: each control character becomes one byte, a blank for a tab or a
// line break, "?" for any other; the Windows-1252 bytes that would become C1 controls count as controls.
TEST(TextTest, ReplaceControlCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"Jordan A. Whitfield", "Jordan A. Whitfield"},
      {"Acme\r\nCorp\tInc", "Acme  Corp Inc"},
      {"\x1B[2Jname\x07\x7F", "?[2Jname??"},
      {"\x90x\x9D\x81\x8D\x8F", "?x????"},
      {"Jos\xE9 \x80 \x9B \xAD", "Jos\xE9 \x80 \x9B \xAD"},  // printable Windows-1252 stays
  };
  for (auto [text, shown] : cases) {
    ReplaceControlCharacters(text);
    EXPECT_EQ(shown, text) << shown;
  }
}

// Problem files hold Windows-1252, text input files and reports UTF-8.
TEST(TextTest, Windows1252AndUtf8) {
  const std::pair<std::string, std::string> both[] = {
      {"plain", "plain"},
      {"Jos\xE9 Mu\xF1oz", "Jos\xC3\xA9 Mu\xC3\xB1oz"},
      {"\x80 \x93q\x94 \x9F", "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8"},
      {"\x81", "\xC2\x81"},  // undefined in Windows-1252: kept as its control character
  };
  for (const auto& [cp1252, utf8] : both) {
    EXPECT_EQ(utf8, Windows1252ToUtf8(cp1252)) << utf8;
    EXPECT_EQ(cp1252, Utf8ToWindows1252(utf8)) << utf8;
  }
  EXPECT_EQ("? ok", Utf8ToWindows1252("\xE4\xB8\xAD ok"));   // a character Windows-1252 lacks
  EXPECT_EQ("caf\xE9", Utf8ToWindows1252("caf\xE9"));         // already 8-bit: taken as it is
  EXPECT_EQ("\xED\xA0\x80", Utf8ToWindows1252("\xED\xA0\x80"));  // a surrogate is no UTF-8
}

// What a problem can store: every character of Windows-1252, nothing that would become "?".
TEST(TextTest, FitsWindows1252) {
  const std::pair<const char*, bool> cases[] = {
      {"Jordan A. Whitfield", true},
      {"Ren\xC3\xA9"
       "e M\xC3\xBCller \xE2\x82\xAC 5 \xE2\x80\x94 \xC5\x93",
       true},             // Renée Müller € — œ
      {"caf\xE9", true},  // 8-bit already, as a file written elsewhere gives it
      {"?", true},
      {"", true},
      {"\xE4\xB8\xAD\xE6\x96\x87", false},  // CJK
      {"pay \xF0\x9F\x98\x80", false},      // an emoji
      {"\xC4\x80", false},                  // A with macron: not in the code page
      {"\xC2\x80", false},                  // C1 control U+0080
  };
  for (const auto& [text, fits] : cases) EXPECT_EQ(fits, FitsWindows1252(text)) << text;
}

}  // namespace
}  // namespace zarvic
