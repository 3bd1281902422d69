// The menu bar as the main window defines it. The view builds its menus from this model and
// reads enabling and check marks from it each time a menu opens; clicks come back to the
// window's handlers by the item's control name and index.
#pragma once

#include <string>
#include <vector>

namespace pelorin {

struct MenuItem {
  std::string name;      // control name, e.g. "MnuEditOpts"
  int index = 0;         // index within its control array
  std::string caption;   // with '&' before the access key; "-" is a separator
  std::string shortcut;  // e.g. "Ctrl+Z"; empty for none
  bool enabled = true;
  bool literal = false;    // the caption is shown as it is ('&' is not an access key)
  bool checkable = false;  // carries a check mark when checked
  bool checked = false;
  bool visible = true;
  std::vector<MenuItem> items;  // a submenu

  bool IsSeparator() const { return caption == "-"; }
};

}  // namespace pelorin
