#include "core/StringTable.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace zarvic {
namespace {

struct Entry {
  int id;
  const char* text;
};

// Sorted by id.
constexpr Entry kStrings[] = {
    {19207, "No Federal Table Found"},
    {19208,
     "Zarvic only accepts whole numbers in the percent field.  The number was rounded to the nearest whole "
     "number."},
};

}  // namespace

std::string_view StringText(int id) {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                             [](const Entry& e, int key) { return e.id < key; });
  if (it == std::end(kStrings) || it->id != id) return {};
  return it->text;
}

bool HasString(int id) {
  return !StringText(id).empty();
}

}  // namespace zarvic
