#include "regutil/RegTypeNames.h"

#include <array>

#include "core/Text.h"

namespace zarvic::regutil {
namespace {

constexpr std::array<RegTypeName, 13> kRegTypeNames = {{
    {"REG_NONE", 0},
    {"REG_SZ", 1},
    {"REG_EXPAND_SZ", 2},
    {"REG_BINARY", 3},
    {"REG_DWORD", 4},
    {"REG_DWORD_LITTLE_ENDIAN", 4},
    {"REG_DWORD_BIG_ENDIAN", 5},
    {"REG_LINK", 6},
    {"REG_MULTI_SZ", 7},
    {"REG_RESOURCE_LIST", 8},
    {"REG_FULL_RESOURCE_DESCRIPTOR", 9},
    {"REG_RESOURCE_REQUIREMENTS_LIST", 10},
    {"REG_QWORD_LITTLE_ENDIAN", 11},
}};

}  // namespace

std::span<const RegTypeName> RegTypeNames() {
  return kRegTypeNames;
}

std::optional<std::size_t> RegTypeIndexOf(std::int64_t code) {
  for (std::size_t i = 0; i < kRegTypeNames.size(); ++i) {
    if (kRegTypeNames[i].code == code) return i;
  }
  return std::nullopt;
}

std::string_view RegTypeNameOf(std::int64_t code) {
  std::optional<std::size_t> index = RegTypeIndexOf(code);
  return index ? kRegTypeNames[*index].name : std::string_view();
}

std::string WarningTypeName(std::uint32_t code) {
  switch (code) {
    case 0:
      return "REG_NONE      ";
    case 5:
      return "REG_DW_BIG_END";
    case 6:
      return "REG_LINK      ";
    case 7:
      return "REG_MULTI_SZ  ";
    case 8:
      return "REG_RES_LIST  ";
    default:
      return StringPrintf("REG_UNKNWN_%3.3u", code);
  }
}

}  // namespace zarvic::regutil
