#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "ratetables/RateTable.h"

namespace zarvic {

// Table file (".TB3", and the older ".TB2" of the same layout): a 136-byte header, the used lines of
// 30 bytes each, then exactly notes-length bytes of notes without a terminator. Little-endian
// throughout; read and written field by field.
namespace tablefile {

inline constexpr std::size_t kHeaderBytes = 136;
inline constexpr std::size_t kLineBytes = 30;
static_assert(kHeaderBytes == kRateTableHeaderBytes);
static_assert(kLineBytes == kRateLineBytes);

// Header offsets.
inline constexpr std::size_t kFormatMarkAt = 0;
inline constexpr std::size_t kVersionAt = 1;
inline constexpr std::size_t kLineCountAt = 2;
inline constexpr std::size_t kReserved4At = 4;
inline constexpr std::size_t kZerosAt = 5;  // 19 reserved bytes, written as zeros
inline constexpr std::size_t kZerosBytes = 19;
inline constexpr std::size_t kEndDateAt = 24;
inline constexpr std::size_t kWriterTagAt = 26;
inline constexpr std::size_t kWord30At = 30;
inline constexpr std::size_t kNotesLengthAt = 32;
inline constexpr std::size_t kNotesSlotAt = 34;  // in-memory reference of the notes; ignored in files
inline constexpr std::size_t kNotesSlotBytes = 4;
inline constexpr std::size_t kDescriptionAt = 38;
inline constexpr std::size_t kDescriptionBytes = 94;  // zero-terminated
inline constexpr std::size_t kWord132At = 132;
inline constexpr std::size_t kVendorFlagAt = 134;
static_assert(kZerosAt + kZerosBytes == kEndDateAt);
static_assert(kNotesSlotAt + kNotesSlotBytes == kDescriptionAt);
static_assert(kDescriptionAt + kDescriptionBytes == kWord132At);
static_assert(kVendorFlagAt + 2 == kHeaderBytes);

// Line offsets.
inline constexpr std::size_t kLineStartAt = 0;
inline constexpr std::size_t kLineModeAt = 2;
inline constexpr std::size_t kLineNormalAt = 4;
inline constexpr std::size_t kLineMotivatedAt = 12;
inline constexpr std::size_t kLineRefundAt = 20;
inline constexpr std::size_t kLineDaysAt = 28;
static_assert(kLineDaysAt + 2 == kLineBytes);

inline constexpr std::uint8_t kFormatMark = 3;
inline constexpr std::int8_t kVersionPlain = 4;        // every line has 365 or 366 days per year
inline constexpr std::int8_t kVersionQuarterDays = 5;  // some line uses another code (100 = 365.25)
inline constexpr std::int8_t kNewestVersion = kVersionQuarterDays;
inline constexpr std::uint16_t kWord30Value = 1;
inline constexpr std::array<char, 4> kWriterTag = {'Z', 'R', 'V', 'L'};
inline constexpr std::size_t kMaxNotesBytes = 0xFFFF;

using HeaderBytes = std::array<std::uint8_t, kHeaderBytes>;
using LineBytes = std::array<std::uint8_t, kLineBytes>;

LineBytes EncodeLine(const RateLine& line);
RateLine DecodeLine(const std::uint8_t* bytes);  // kLineBytes bytes

}  // namespace tablefile

// Why a load failed (or that it did not).
enum class TableLoadStatus {
  Loaded,
  NotFound,      // no candidate file opens
  Damaged,       // shorter than its header or its lines, or more than 500 lines
  NewerVersion,  // version above 5 (20001)
};

// Loads a table, replacing the whole of table. Looks for, in this order: path; path with the
// extension ".TB3"; with ".TB2"; the program's folder followed by path with ".TB3" as extension.
// Extensions match without regard to case. On failure table is left unchanged; 20001 is shown for a
// newer version when reportErrors is set; nothing else is ever shown.
bool LoadTable(RateTable& table, const std::string& path, bool reportErrors,
               TableLoadStatus* status = nullptr);

// Writes table to path with its extension forced to ".TB3": version 4, or 5 when a used line has a
// days-per-year code other than 365 and 366. The previous file survives any failure (the file is
// written beside it and renamed over it); failures show 20011 "Error saving table". On success the
// table's header holds what was written. Saves write vendor flag 0; only the build of the shipped
// table passes another.
bool SaveTable(RateTable& table, const std::string& path, std::uint16_t vendorFlag = 0);

// A table name names a file in the table folder: not empty, no folder part, not "." or "..".
bool IsPlainTableName(const std::string& name);
// The longest table name a problem file holds.
inline constexpr std::size_t kTableNameMax = 95;

// The table name of a path: the file name without its extension ("/rates/MY.TABLE.TB3" -> MY.TABLE).
std::string TableNameFromPath(const std::string& path);

// The extension of path replaced by extension when a "." lies within its last four characters (and
// in the file name), otherwise extension appended.
std::string WithShortExtension(const std::string& path, const std::string& extension);

}  // namespace zarvic
