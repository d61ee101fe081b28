#include "shell/OneLineMessages.h"

namespace zarvic {

Answer OneLineMessages::Show(const std::string& text, MessageKind kind) {
  std::string line;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += c;
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return next_.Show(line, kind);
}

}  // namespace zarvic
