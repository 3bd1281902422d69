// The keys the program's own handlers take, by the codes of the keyboard's virtual keys, with the
// shift state that comes with them (as for the pointer: Shift 1, Ctrl 2, Alt 4). A view hands on
// only these keys; the others (Tab, the menus' access keys and shortcuts) stay the toolkit's.
#pragma once

namespace pelorin {

inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;

inline constexpr int kShiftDown = 1;
inline constexpr int kCtrlDown = 2;
inline constexpr int kAltDown = 4;

}  // namespace pelorin
