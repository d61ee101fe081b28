#include "ratetables/RateTable.h"

namespace zarvic {

double DaysPerYearValue(std::uint16_t code) {
  switch (code) {
    case 365:
      return 365.0;
    case 366:
      return 366.0;
    case 100:
      return 365.25;
    default:
      return 0.0;
  }
}

}  // namespace zarvic
