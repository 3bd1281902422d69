// The menu bar as a table. Each item names its command and the rules of its state: when it is
// enabled and when it carries a check mark. Opening a menu, and every click or shortcut, works
// the rules out again (Evaluate); a click acts only when its item is enabled then.
// The view builds its menus from the table and copies captions, enabling, marks and visibility.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pelorin {

struct MenuItem {
  std::string name;                    // control name, e.g. "MnuEditOpts"
  int index = 0;                       // index within its control array
  std::string caption;                 // with '&' before the access key; "-" is a separator
  std::string shortcut;                // e.g. "Ctrl+Z"; empty for none
  std::vector<std::string> more_keys;  // further shortcuts, not shown in the menu
  std::function<void()> command;       // what a click does; none for separators and submenus
  std::function<bool()> enabled_when;  // none: always enabled
  std::function<bool()> checked_when;  // none: never checked
  bool literal = false;                // the caption is shown as it is ('&' is no access key)
  bool visible = true;
  std::vector<MenuItem> items;  // a submenu

  // Worked out by Evaluate.
  bool enabled = true;
  bool checked = false;

  bool IsSeparator() const { return caption == "-"; }
  bool checkable() const { return static_cast<bool>(checked_when); }

  // For writing the table: MenuRow(...).EnabledWhen(rule).
  MenuItem EnabledWhen(std::function<bool()> rule) && {
    enabled_when = std::move(rule);
    return std::move(*this);
  }
  MenuItem CheckedWhen(std::function<bool()> rule) && {
    checked_when = std::move(rule);
    return std::move(*this);
  }
  MenuItem AlsoKeys(std::vector<std::string> keys) && {
    more_keys = std::move(keys);
    return std::move(*this);
  }
  MenuItem Hidden() && {
    visible = false;
    return std::move(*this);
  }
  MenuItem WithItems(std::vector<MenuItem> submenu) && {
    items = std::move(submenu);
    return std::move(*this);
  }
};

// A row of the table.
MenuItem MenuRow(std::string name, int index, std::string caption,
                 std::function<void()> command = {}, std::string shortcut = {});
MenuItem Separator(std::string name, int index);

// Works out the enabling and marks of `items` and their submenus.
void Evaluate(std::vector<MenuItem>& items);
// The item with this control name and index anywhere in `menus`, or null.
MenuItem* FindMenuItem(std::vector<MenuItem>& menus, const std::string& name, int index);

}  // namespace pelorin
