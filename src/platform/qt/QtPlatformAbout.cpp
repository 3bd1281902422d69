#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ShowAbout(frmAbout&) {}

}  // namespace pelorin
