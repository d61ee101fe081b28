#include "core/AppOptions.h"

namespace zarvic {

AppOptions& Options() {
  static AppOptions options;
  return options;
}

OptionSuspensions& Suspensions() {
  static OptionSuspensions suspensions;
  return suspensions;
}

}  // namespace zarvic
