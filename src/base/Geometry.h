// The geometry everything in the editor shares: the icon's side, and where our windows stand.
#pragma once

namespace pelorin {

// The icon is 32 x 32 pixels.
inline constexpr int kIconSize = 32;

struct Position {
  int left = 0;
  int top = 0;
};

// Our windows and dialogs stand at the screen's horizontal centre with a third of the free height
// above them.
constexpr Position CentredOnScreen(int screen_width, int screen_height, int width, int height) {
  return {(screen_width - width) / 2, (screen_height - height) / 3};
}

}  // namespace pelorin
