#pragma once

#include <string>

#include "core/UserInterface.h"

namespace zarvic {

// Messages of an unattended run's computation, one line each on standard error: the cautions of the
// window come as boxes of several lines. Everything else is passed on to next.
class OneLineMessages : public UserInterface {
 public:
  explicit OneLineMessages(UserInterface& next) : next_(next) {}
  Answer Show(const std::string& text, MessageKind kind) override;

 private:
  UserInterface& next_;
};

}  // namespace zarvic
