// The keyboard's cursor over a grid of cells (the canvas's 32 x 32, the tool palette's 4 x 3, the
// colour palette's 16 x 16, the icon browser's rows of ten). The arrow keys move it one cell, with
// Ctrl `jump` cells; Home and End go to the ends of its row, Page Up and Page Down `page` rows (to
// the ends of its column when `page` is 0); Ctrl+Home and Ctrl+End to the first and the last cell.
// It stops at the edges, and at the last cell of a grid whose last row is not full.
#pragma once

#include <algorithm>

#include "base/Keys.h"

namespace pelorin {

class GridCursor {
 public:
  GridCursor(int columns, int rows, int jump = 1, int page = 0)
      : columns_(columns), count_(columns * rows), jump_(jump), page_(page) {}

  int Index() const { return index_; }
  int Column() const { return index_ % columns_; }
  int Row() const { return index_ / columns_; }
  int Count() const { return count_; }
  // The cells in use, from the first (at least one).
  void SetCount(int count) {
    count_ = std::max(count, 1);
    index_ = std::min(index_, count_ - 1);
  }
  void MoveTo(int index) { index_ = std::clamp(index, 0, count_ - 1); }

  // Moves the cursor as `key` says; true when the key is one of the cursor's, also when the
  // cursor stood at the edge already.
  bool Move(int key, int shift) {
    const int rows = (count_ + columns_ - 1) / columns_;
    const int step = (shift & kCtrlDown) ? jump_ : 1;
    int column = Column();
    int row = Row();
    switch (key) {
      case kKeyLeft:
        column -= step;
        break;
      case kKeyRight:
        column += step;
        break;
      case kKeyUp:
        row -= step;
        break;
      case kKeyDown:
        row += step;
        break;
      case kKeyHome:
        column = 0;
        if (shift & kCtrlDown) row = 0;
        break;
      case kKeyEnd:
        column = columns_ - 1;
        if (shift & kCtrlDown) row = rows - 1;
        break;
      case kKeyPageUp:
        row = page_ > 0 ? row - page_ : 0;
        break;
      case kKeyPageDown:
        row = page_ > 0 ? row + page_ : rows - 1;
        break;
      default:
        return false;
    }
    column = std::clamp(column, 0, columns_ - 1);
    row = std::clamp(row, 0, rows - 1);
    MoveTo(row * columns_ + column);
    return true;
  }

 private:
  int columns_;
  int count_;
  int jump_;
  int page_;
  int index_ = 0;
};

}  // namespace pelorin
