#include "core/ControlCommands.h"

#include <array>

namespace zarvic {
namespace {

struct Route {
  ControlKind kind;
  NavKey key;
  KeyRoute route;
};

// What each control does with a navigation key: the command it posts to its owner and whether the key
// is then processed as usual. Keys not listed are processed as usual and post nothing.
constexpr std::array kRoutes = {
    Route{ControlKind::TableCell, NavKey::PageUp, {kCmdPageUp, true}},
    Route{ControlKind::TableCell, NavKey::PageDown, {kCmdPageDown, true}},
    Route{ControlKind::TableCell, NavKey::Up, {kCmdUp, true}},
    Route{ControlKind::TableCell, NavKey::Down, {kCmdDown, true}},
    Route{ControlKind::GridEdit, NavKey::PageUp, {kCmdPageUp, true}},
    Route{ControlKind::GridEdit, NavKey::PageDown, {kCmdPageDown, true}},
    Route{ControlKind::GridEdit, NavKey::Up, {kCmdUp, true}},
    Route{ControlKind::GridEdit, NavKey::Down, {kCmdDown, true}},
    Route{ControlKind::GridEdit, NavKey::Home, {kCmdHome, true}},
    Route{ControlKind::GridEdit, NavKey::End, {kCmdEnd, true}},
    Route{ControlKind::GridTypeList, NavKey::PageUp, {kCmdPageUp, false}},
    Route{ControlKind::GridTypeList, NavKey::PageDown, {kCmdPageDown, false}},
    Route{ControlKind::GridTypeList, NavKey::Up, {kCmdUp, false}},
    Route{ControlKind::GridTypeList, NavKey::Down, {kCmdDown, false}},
    Route{ControlKind::GridTypeList, NavKey::Left, {kCmdPreviousField, false}},
    Route{ControlKind::GridTypeList, NavKey::Right, {kCmdNextField, false}},
    // A closed list would otherwise jump to its first or last type.
    Route{ControlKind::GridTypeList, NavKey::Home, {0, false}},
    Route{ControlKind::GridTypeList, NavKey::End, {0, false}},
    Route{ControlKind::HeadingEdit, NavKey::Down, {kCmdDown, false}},
    Route{ControlKind::KeyTrap, NavKey::Delete, {kCmdDeleteLine, true}},
};

}  // namespace

KeyRoute RouteKey(ControlKind kind, NavKey key) {
  for (const Route& r : kRoutes) {
    if (r.kind == kind && r.key == key) return r.route;
  }
  return {};
}

}  // namespace zarvic
