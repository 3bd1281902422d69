#include "canvas/Selection.h"

namespace pelorin {

void Selection::Commit() {
  // Selections cannot be made yet, so there is never one to commit.
}

}  // namespace pelorin
