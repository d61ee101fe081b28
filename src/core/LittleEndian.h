#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace zarvic {

// Field-by-field little-endian access to the fixed-size records of the file formats. Records are never
// cast to bytes: their in-memory layout is the compiler's business, the byte layout is ours.
// Offsets are fixed by the record layouts, so running past the end is a programming error.
class ByteWriter {
 public:
  explicit ByteWriter(std::span<std::uint8_t> out) : out_(out) {}

  void U8(std::uint8_t v) { Put(v, 1); }
  void U16(std::uint16_t v) { Put(v, 2); }
  void U32(std::uint32_t v) { Put(v, 4); }
  void F64(double v) { Put(std::bit_cast<std::uint64_t>(v), 8); }
  void Bytes(std::span<const std::uint8_t> bytes) {
    Need(bytes.size());
    for (std::uint8_t b : bytes) out_[pos_++] = b;
  }
  void Chars(std::span<const char> chars) {
    Need(chars.size());
    for (char c : chars) out_[pos_++] = static_cast<std::uint8_t>(c);
  }
  void Zeros(std::size_t n) {
    Need(n);
    for (std::size_t i = 0; i < n; ++i) out_[pos_++] = 0;
  }
  std::size_t Position() const { return pos_; }

 private:
  void Need(std::size_t n) const {
    if (n > out_.size() - pos_) std::abort();
  }
  void Put(std::uint64_t v, std::size_t width) {
    Need(width);
    for (std::size_t i = 0; i < width; ++i) out_[pos_++] = static_cast<std::uint8_t>(v >> (8 * i));
  }

  std::span<std::uint8_t> out_;
  std::size_t pos_ = 0;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}

  std::uint8_t U8() { return static_cast<std::uint8_t>(Get(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Get(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Get(4)); }
  double F64() { return std::bit_cast<double>(Get(8)); }
  void Bytes(std::span<std::uint8_t> bytes) {
    Need(bytes.size());
    for (std::uint8_t& b : bytes) b = in_[pos_++];
  }
  void Chars(std::span<char> chars) {
    Need(chars.size());
    for (char& c : chars) c = static_cast<char>(in_[pos_++]);
  }
  void Skip(std::size_t n) {
    Need(n);
    pos_ += n;
  }
  std::size_t Position() const { return pos_; }

 private:
  void Need(std::size_t n) const {
    if (n > in_.size() - pos_) std::abort();
  }
  std::uint64_t Get(std::size_t width) {
    Need(width);
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < width; ++i) v |= std::uint64_t{in_[pos_++]} << (8 * i);
    return v;
  }

  std::span<const std::uint8_t> in_;
  std::size_t pos_ = 0;
};

}  // namespace zarvic
