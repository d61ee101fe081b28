#pragma once

// Reads the members of a zip file (an .xlsx workbook is one) through its central directory, so that
// tests can look at the XML inside. Stored and deflated members only; enough for what the program writes.

#include <zlib.h>

#include <cstdint>
#include <map>
#include <string>

namespace zarvic::testing {

inline std::uint32_t ZipWord(const std::string& b, size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return v;
}

// Member name -> its bytes; empty when the file is not a zip file this reader understands.
inline std::map<std::string, std::string> ZipEntries(const std::string& zip) {
  std::map<std::string, std::string> out;
  if (zip.size() < 22) return out;
  size_t end = zip.rfind(std::string("PK\x05\x06", 4));
  if (end == std::string::npos || end + 22 > zip.size()) return out;
  const std::uint32_t count = ZipWord(zip, end + 10, 2);
  size_t at = ZipWord(zip, end + 16, 4);
  for (std::uint32_t n = 0; n < count; ++n) {
    if (at + 46 > zip.size() || ZipWord(zip, at, 4) != 0x02014b50) return {};
    const std::uint32_t method = ZipWord(zip, at + 10, 2);
    const std::uint32_t packed = ZipWord(zip, at + 20, 4);
    const std::uint32_t size = ZipWord(zip, at + 24, 4);
    const std::uint32_t nameLength = ZipWord(zip, at + 28, 2);
    const std::uint32_t extra = ZipWord(zip, at + 30, 2);
    const std::uint32_t comment = ZipWord(zip, at + 32, 2);
    const std::uint32_t local = ZipWord(zip, at + 42, 4);
    std::string name = zip.substr(at + 46, nameLength);
    at += 46 + nameLength + extra + comment;
    if (local + 30 > zip.size()) return {};
    const size_t data = local + 30 + ZipWord(zip, local + 26, 2) + ZipWord(zip, local + 28, 2);
    if (data + packed > zip.size()) return {};
    if (method == 0) {
      out[name] = zip.substr(data, packed);
      continue;
    }
    if (method != 8) return {};
    std::string bytes(size, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return {};
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
    z.avail_in = packed;
    z.next_out = reinterpret_cast<Bytef*>(bytes.data());
    z.avail_out = size;
    const int status = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (status != Z_STREAM_END) return {};
    out[name] = bytes;
  }
  return out;
}

}  // namespace zarvic::testing
