#include "core/AppOptions.h"

namespace zarvic {

AppOptions& Options() {
  static AppOptions options;
  return options;
}

}  // namespace zarvic
