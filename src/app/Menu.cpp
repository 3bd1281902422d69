#include "app/Menu.h"

#include <utility>

namespace pelorin {

MenuItem MenuRow(std::string name, int index, std::string caption, std::function<void()> command,
                 std::string shortcut) {
  MenuItem item;
  item.name = std::move(name);
  item.index = index;
  item.caption = std::move(caption);
  item.command = std::move(command);
  item.shortcut = std::move(shortcut);
  return item;
}

MenuItem Separator(std::string name, int index) { return MenuRow(std::move(name), index, "-"); }

void Evaluate(std::vector<MenuItem>& items) {
  for (MenuItem& item : items) {
    item.enabled = !item.enabled_when || item.enabled_when();
    item.checked = item.checked_when && item.checked_when();
    Evaluate(item.items);
  }
}

MenuItem* FindMenuItem(std::vector<MenuItem>& menus, const std::string& name, int index) {
  for (MenuItem& item : menus) {
    if (item.name == name && item.index == index) return &item;
    if (MenuItem* found = FindMenuItem(item.items, name, index)) return found;
  }
  return nullptr;
}

}  // namespace pelorin
