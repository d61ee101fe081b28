#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zarvic::regutil {

// A row of the type table: a value type's name and its code (RegistryStore.h).
struct RegTypeName {
  std::string_view name;
  std::int64_t code;
};

// The type names in the order the Type list shows them. Two names share code 4, so a code is looked up
// by its first row.
std::span<const RegTypeName> RegTypeNames();

// The first row with code; nothing when no row has it.
std::optional<std::size_t> RegTypeIndexOf(std::int64_t code);
// The name of the first row with code; "" when no row has it.
std::string_view RegTypeNameOf(std::int64_t code);

// The 14-character name the unknown-type warning gives a code it cannot show.
std::string WarningTypeName(std::uint32_t code);

}  // namespace zarvic::regutil
