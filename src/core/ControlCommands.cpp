#include "core/ControlCommands.h"

namespace zarvic {

KeyRoute RouteKey(ControlKind kind, NavKey key) {
  switch (kind) {
    case ControlKind::TableCell:
      switch (key) {
        case NavKey::PageUp:
          return {kCmdPageUp, true};
        case NavKey::PageDown:
          return {kCmdPageDown, true};
        case NavKey::Up:
          return {kCmdUp, true};
        case NavKey::Down:
          return {kCmdDown, true};
        default:
          return {};
      }
    case ControlKind::GridEdit:
      switch (key) {
        case NavKey::PageUp:
          return {kCmdPageUp, true};
        case NavKey::PageDown:
          return {kCmdPageDown, true};
        case NavKey::Up:
          return {kCmdUp, true};
        case NavKey::Down:
          return {kCmdDown, true};
        case NavKey::Home:
          return {kCmdHome, true};
        case NavKey::End:
          return {kCmdEnd, true};
        default:
          return {};
      }
    case ControlKind::GridTypeList:
      switch (key) {
        case NavKey::PageUp:
          return {kCmdPageUp, false};
        case NavKey::PageDown:
          return {kCmdPageDown, false};
        case NavKey::Up:
          return {kCmdUp, false};
        case NavKey::Down:
          return {kCmdDown, false};
        case NavKey::Left:
          return {kCmdPreviousField, false};
        case NavKey::Right:
          return {kCmdNextField, false};
        // A closed list would otherwise jump to its first or last type.
        case NavKey::Home:
        case NavKey::End:
          return {0, false};
        default:
          return {};
      }
    case ControlKind::HeadingEdit:
      if (key == NavKey::Down) return {kCmdDown, false};
      return {};
    case ControlKind::KeyTrap:
      if (key == NavKey::Delete) return {kCmdDeleteLine, true};
      return {};
  }
  return {};
}

}  // namespace zarvic
