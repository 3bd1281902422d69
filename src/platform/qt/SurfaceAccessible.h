// A shown surface as the desktop's accessibility sees it (Qt's, which AT-SPI reads on Linux): its
// role, name, description and value, and its parts (the tools, the palette's cells, the canvas's
// cells, the browser's icons) as children of their own, all in the core's words
// (AccessibleSurface). Parts are made when first asked for.
#pragma once

#include <QAccessibleWidget>
#include <string>
#include <vector>

#include "platform/Accessible.h"

namespace pelorin {

class SurfaceView;

QAccessible::Role ToQtRole(AccessibleRole role);

class SurfaceAccessible : public QAccessibleWidget {
 public:
  explicit SurfaceAccessible(SurfaceView* view);
  ~SurfaceAccessible() override;

  QString text(QAccessible::Text t) const override;
  QAccessible::Role role() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  const AccessibleSurface& Spoken() const;
  SurfaceView* View() const;

 private:
  mutable std::vector<QAccessible::Id> parts_;
};

// What was last told of a surface, to tell what has changed since.
struct Announced {
  std::string name;
  int count = -1;
  int current = -1;
  std::string current_name;
  int checked = -1;
};

// Tells the desktop's accessibility what changed on `view` since `last`: its name, its parts'
// number, the part under the keyboard's cursor (as the focus, while the view has it) and that
// part's name, and which part is on (the current tool). `focus_taken`: the view has just taken the
// focus, and the part under the cursor is told again.
void Announce(SurfaceView& view, bool focus_taken, Announced& last);

// Makes the surfaces' accessibility Qt's (once; later calls do nothing).
void InstallSurfaceAccessibility();

}  // namespace pelorin
