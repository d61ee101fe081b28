#pragma once

#include "core/UserInterface.h"

namespace zarvic::regutil {

// The utility's messages as message boxes over its window: OK boxes, and Yes/No for the question of
// Delete Section and for replacing a file.
class MessageBoxUserInterface : public UserInterface {
 public:
  Answer Show(const std::string& text, MessageKind kind) override;
  // The file dialog; a save asks before replacing a file, about the name with its extension.
  std::optional<std::string> ChooseFile(const FileChoice& choice) override;
};

}  // namespace zarvic::regutil
