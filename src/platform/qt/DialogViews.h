// The Qt views of the program's dialogs, found by the type of the behaviour object the core hands
// to Platform::ShowDialog. Each view registers itself with one line beside its own code, for
// example in FrmShadesView.cpp:
//
//   [[maybe_unused]] const bool kShown = RegisterModalView<FrmShades, FrmShadesView>();
//
// so that the platform, below every subsystem, knows no dialog, and a new dialog needs no
// switchboard. (pelorin_qt is an object library, so every view's registration is linked in.)
#pragma once

#include <functional>
#include <typeinfo>

#include "platform/ModalDialog.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

// Shows `dialog` with its view, modally, until it is hidden or closed.
using DialogShower = std::function<void(Dialog& dialog, const QtPlatform& platform)>;

// `show` shows the dialogs whose behaviour object is of type `type`. Returns true, for the
// registering variable.
bool RegisterDialogView(const std::type_info& type, DialogShower show);
// The shower registered for the dialog's own type; empty when there is none.
DialogShower FindDialogView(const Dialog& dialog);

// A view of D shown its own way.
template <typename D>
bool RegisterDialogView(std::function<void(D&, const QtPlatform&)> show) {
  return RegisterDialogView(typeid(D),
                            [show = std::move(show)](Dialog& dialog, const QtPlatform& platform) {
                              show(static_cast<D&>(dialog), platform);
                            });
}

// The usual view V(D& core, QWidget* parent): made over the main window and run modally, placed
// by the dialogs' centring rule (QtPlatform::RunModal).
template <typename D, typename V>
bool RegisterModalView() {
  return RegisterDialogView<D>([](D& dialog, const QtPlatform& platform) {
    V view(dialog, platform.DialogParent());
    platform.RunModal(view, dialog);
  });
}

}  // namespace pelorin
