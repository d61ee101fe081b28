#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "allocation/AllocationRecord.h"
#include "penalties/PenaltyRecord.h"
#include "problem/CEvent.h"
#include "problem/CTDoc.h"
#include "problem/ProblemHeader.h"

namespace zarvic {

// Problem file (".ZR3"; older generations and ".ZR2" are read too): the 848-byte header, the penalty
// records, then one block per event in event order (the 42-byte event record, an 852-byte allocation
// record for payments, deposits and credits, a 41-byte description when the record's marker says so).
// No framing, no trailer; little-endian throughout.
namespace problemfile {

inline constexpr std::size_t kOldPenaltyRecordBytes = 80;      // generations before 96.4
inline constexpr std::size_t kOldAllocationRecordBytes = 344;  // 20 categories, before 2.10
inline constexpr int kOldAllocationCategories = 20;
inline constexpr std::size_t kOldDescriptionBytes = 21;  // old event layout
inline constexpr std::uint16_t kVeryOldPenaltyRecords = 12;
inline constexpr std::size_t kEmptyProblemBytes =
    kProblemHeaderBytes + kPenaltyRecordsWritten * kPenaltyRecordBytes;  // 3,048
inline constexpr std::size_t kChecksumAt = 40;                           // in the event record

// The most any generation can make a reader consume: every penalty record and every event a count can
// announce, with the largest blocks (the events beyond the 1,000 a problem holds are read to say what
// was left out). Bytes after what the reader consumes are never looked at.
inline constexpr std::size_t kLargestProblemFile =
    kProblemHeaderBytes + 0xFFFF * kPenaltyRecordBytes +
    0xFFFF * (kEventRecordBytes + kAllocationRecordBytes + kEventDescriptionBytes);

}  // namespace problemfile

// The checksum of an event record: the sum of its 42 bytes as signed 8-bit values with the checksum
// field taken as 0, low 16 bits.
std::uint16_t ChecksumOf(std::span<const std::uint8_t, kEventRecordBytes> record);

// The file image of problem, as this version writes it (format 101.4, 25 penalty records). Like the
// save it stands for, it brings the problem up to date first: the header takes the compute date, the
// event count, the version and the table name (cut to 95 characters); record 0 is switched off;
// payments, deposits and credits without an allocation get a new one with the default letters; events
// get their checksum and reserved fields of 0. Events after the first one without a date are not part
// of the file.
std::string WriteProblem(CTDoc& problem);

// Why a read failed (or that it did not).
enum class ProblemReadStatus {
  Read,
  NewerVersion,  // a version above 101.4 (20004)
  BadChecksum,   // an event record was changed (20013)
  Truncated,     // the file ends inside a block (20013)
  Damaged,       // a value the format does not allow: an unknown version or event type, a date after
                 // the calendar's end, an amount that is not a finite number within the limit (20013)
  CannotOpen,    // LoadProblemFile only: no such file, no access, not a regular file
};

// Replaces the whole content of problem with the file image in bytes, upgrading every earlier
// generation. Nothing of the file is trusted: a value the format does not allow refuses the file, so no
// amount that is not a finite number reaches a computation. On failure problem is a new, empty problem
// (never a half-read one); with reportErrors the version or damage message is shown ("Error reading
// file" followed by the file and what is wrong), and the 2.x penalty message. reason receives what is
// wrong (empty for a file read whole). A table named in the file that cannot be loaded shows 19203
// whatever reportErrors says; the problem then has no table.
// A file of more than 1,000 events gives a problem of its first 1,000: the reader says so, and what
// was left out, whatever reportErrors says (reason receives the same), and the problem remembers it
// (CTDoc::m_eventsLeftOut).
bool ReadProblem(CTDoc& problem, std::span<const std::uint8_t> bytes, bool reportErrors,
                 ProblemReadStatus* status = nullptr, std::string* reason = nullptr);

// The file forms of the two: the previous file survives a failed save (written beside, flushed, renamed
// over it), and a failure is shown. A file that cannot be opened for reading is reported as the
// platform would (with reportErrors) and leaves a new, empty problem, as any failed read does. The
// messages of LoadProblemFile name the file.
bool SaveProblemFile(CTDoc& problem, const std::string& path);
bool LoadProblemFile(CTDoc& problem, const std::string& path, bool reportErrors,
                     ProblemReadStatus* status = nullptr, std::string* reason = nullptr);

}  // namespace zarvic
