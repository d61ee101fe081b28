#pragma once

#include "core/UserInterface.h"

namespace zarvic::regutil {

// The utility's messages as message boxes over its window: OK boxes, and Yes/No for the question of
// Delete Section.
class MessageBoxUserInterface : public UserInterface {
 public:
  Answer Show(const std::string& text, MessageKind kind) override;
};

}  // namespace zarvic::regutil
