#pragma once

// Table files for tests, built byte by byte from the documented layout (independent of the writer).

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace zarvic::testing {

struct LineImage {
  std::uint16_t start;
  std::uint16_t mode;
  double normal;
  double motivated;
  double refund;
  std::uint16_t days;
};

struct TableImage {
  std::uint8_t mark = 3;
  std::uint8_t version = 4;
  int lineCount = -1;  // -1: the number of lines
  std::uint8_t reserved4 = 0;
  std::uint16_t endDate = 0xFFFF;
  std::string tag = "TEST";
  std::uint16_t word30 = 1;
  int notesLength = -1;  // -1: the size of notes
  std::string description;
  std::uint16_t vendorFlag = 0;
  std::vector<LineImage> lines;
  std::string notes;

  std::string Header() const {
    Bytes b;
    b.U8(mark).U8(version).U16(static_cast<std::uint16_t>(lineCount < 0 ? lines.size() : lineCount));
    b.U8(reserved4).Zeros(19).U16(endDate).Field(tag, 4).U16(word30);
    b.U16(static_cast<std::uint16_t>(notesLength < 0 ? notes.size() : notesLength));
    b.Text("\xDE\xAD\xBE\xEF");  // stale in-memory reference: must be ignored
    b.Field(description, 94).U16(0).U16(vendorFlag);
    return b.str();
  }
  static std::string Line(const LineImage& l) {
    Bytes b;
    b.U16(l.start).U16(l.mode).F64(l.normal).F64(l.motivated).F64(l.refund).U16(l.days);
    return b.str();
  }
  std::string File() const {
    std::string s = Header();
    for (const auto& l : lines) s += Line(l);
    return s + notes;
  }
};

}  // namespace zarvic::testing
