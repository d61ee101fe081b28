#include "core/Text.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <optional>
#include <utility>

namespace zarvic {
namespace {

std::string VPrintf(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace

std::string StringPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VPrintf(format, args);
  va_end(args);
  return s;
}

std::string StringPrintfDynamic(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VPrintf(format, args);
  va_end(args);
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Trim(std::string_view text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(" \t");
  return std::string(text.substr(b, e - b + 1));
}

namespace {

// Bytes as EscapeForTerminal describes them; keepLayout keeps line feeds and tabs.
std::string EscapeBytes(std::string_view text, bool keepLayout) {
  std::string out;
  out.reserve(text.size());
  auto escape = [&out](unsigned char c) { out += StringPrintf("\\x%02X", c); };
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((keepLayout && (c == '\n' || c == '\t')) || (c >= 0x20 && c < 0x7F)) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    if (c == '\r') {
      out += "\\r";
      ++i;
      continue;
    }
    // A UTF-8 sequence: its length from the lead byte, continuation bytes 10xxxxxx, no overlong
    // two-byte forms, and no C1 control (U+0080-U+009F).
    size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    bool valid = length > 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (valid && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) valid = false;
    if (!valid) {
      escape(c);
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace

std::string EscapeForTerminal(std::string_view text) {
  return EscapeBytes(text, true);
}

std::string EscapeForMessage(std::string_view text) {
  return EscapeBytes(text, false);
}

void ReplaceControlCharacters(std::span<char> windows1252) {
  auto isControl = [](unsigned char c) {
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
  };
  for (char& ch : windows1252) {
    const auto c = static_cast<unsigned char>(ch);
    if (!isControl(c)) continue;
    ch = c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' ? ' ' : '?';
  }
}

namespace {

// Unicode of the Windows-1252 bytes 0x80-0x9F; the undefined ones map to the C1 control of that value.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code point of the UTF-8 sequence at text[i] and its length; length 0 when it is not one.
std::pair<char32_t, size_t> DecodeUtf8(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (length == 0 || i + length > text.size()) return {0, 0};
  char32_t c = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
  for (size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) return {0, 0};
    c = (c << 6) | (b & 0x3F);
  }
  if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF))
    return {0, 0};
  return {c, length};
}

// The Windows-1252 byte of a character above 0x7F; nothing when the code page lacks it.
std::optional<char> Windows1252Byte(char32_t c) {
  if (c >= 0xA0 && c <= 0xFF) return static_cast<char>(c);
  for (size_t k = 0; k < 32; ++k) {
    if (kWindows1252High[k] == c) return static_cast<char>(0x80 + k);
  }
  return std::nullopt;
}

}  // namespace

bool FitsWindows1252(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    auto [c, length] = DecodeUtf8(text, i);
    if (length == 0) {
      ++i;  // a Windows-1252 byte already, as Utf8ToWindows1252 takes it
      continue;
    }
    if (!Windows1252Byte(c)) return false;
    i += length;
  }
  return true;
}

std::string Utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      ++i;
      continue;
    }
    auto [c, length] = DecodeUtf8(text, i);
    if (length == 0) {
      out += static_cast<char>(byte);
      ++i;
      continue;
    }
    i += length;
    out += Windows1252Byte(c).value_or('?');
  }
  return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
      out += ch;
    } else if (byte < 0xA0) {
      AppendUtf8(out, kWindows1252High[byte - 0x80]);
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

}  // namespace zarvic
