#include "platform/qt/DialogViews.h"

#include <map>
#include <typeindex>
#include <utility>

namespace pelorin {

namespace {

// Filled while the program's static variables are made, before main() runs: one made on first
// use, whatever order the views' files come in.
std::map<std::type_index, DialogShower>& Views() {
  static std::map<std::type_index, DialogShower> views;
  return views;
}

}  // namespace

bool RegisterDialogView(const std::type_info& type, DialogShower show) {
  Views()[type] = std::move(show);
  return true;
}

DialogShower FindDialogView(const Dialog& dialog) {
  const auto found = Views().find(typeid(dialog));
  return found == Views().end() ? DialogShower() : found->second;
}

}  // namespace pelorin
