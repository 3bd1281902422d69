#include "platform/qt/SurfaceAccessible.h"

#include <QAccessibleEvent>

#include "platform/qt/QtConvert.h"
#include "platform/qt/SurfaceView.h"

namespace pelorin {

namespace {

QString FromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

int Count(const AccessibleSurface& a) { return a.part_count ? a.part_count() : 0; }

// One part of a surface: a child with no object of its own.
class PartAccessible : public QAccessibleInterface {
 public:
  PartAccessible(SurfaceAccessible* surface, int index) : surface_(surface), index_(index) {}

  bool isValid() const override {
    return surface_->isValid() && index_ < Count(surface_->Spoken());
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return surface_->window(); }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return surface_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    const AccessibleSurface& a = surface_->Spoken();
    if (t != QAccessible::Name || !a.part_name || !isValid()) return {};
    return FromUtf8(a.part_name(index_));
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const AccessibleSurface& a = surface_->Spoken();
    if (!a.part_place || !isValid()) return {};
    const QRect place = ToQRect(a.part_place(index_));
    return QRect(surface_->View()->mapToGlobal(place.topLeft()), place.size());
  }
  QAccessible::Role role() const override { return ToQtRole(surface_->Spoken().part_role); }
  QAccessible::State state() const override {
    const AccessibleSurface& a = surface_->Spoken();
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const bool focusable = surface_->View()->focusPolicy() != Qt::NoFocus;
    s.focusable = focusable;
    s.selectable = focusable && !a.part_checked;
    if (a.part_checked) {
      s.checkable = true;
      s.checked = a.part_checked(index_);
    }
    if (a.current_part && a.current_part() == index_ && focusable) {
      s.selected = !a.part_checked;
      s.focused = surface_->View()->hasFocus();
    }
    return s;
  }

 private:
  SurfaceAccessible* surface_;
  int index_;
};

QAccessibleInterface* SurfaceFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String("pelorin::SurfaceView") || object == nullptr) return nullptr;
  if (auto* view = qobject_cast<SurfaceView*>(object)) return new SurfaceAccessible(view);
  return nullptr;
}

}  // namespace

QAccessible::Role ToQtRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kCanvas:
      return QAccessible::Canvas;
    case AccessibleRole::kGraphic:
      return QAccessible::Graphic;
    case AccessibleRole::kLabel:
      return QAccessible::StaticText;
    case AccessibleRole::kToolBar:
      return QAccessible::ToolBar;
    case AccessibleRole::kTool:
      return QAccessible::RadioButton;
    case AccessibleRole::kList:
      return QAccessible::List;
    case AccessibleRole::kListItem:
      return QAccessible::ListItem;
    case AccessibleRole::kCell:
      return QAccessible::Cell;
  }
  return QAccessible::Graphic;
}

SurfaceAccessible::SurfaceAccessible(SurfaceView* view) : QAccessibleWidget(view) {}

SurfaceAccessible::~SurfaceAccessible() {
  for (QAccessible::Id id : parts_)
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
}

SurfaceView* SurfaceAccessible::View() const { return static_cast<SurfaceView*>(widget()); }

const AccessibleSurface& SurfaceAccessible::Spoken() const { return View()->Spoken(); }

QString SurfaceAccessible::text(QAccessible::Text t) const {
  const AccessibleSurface& a = Spoken();
  switch (t) {
    case QAccessible::Name:
      if (a.name) return FromUtf8(a.name());
      break;
    case QAccessible::Description:
      if (a.description) return FromUtf8(a.description());
      break;
    case QAccessible::Value:
      if (a.value) return FromUtf8(a.value());
      break;
    default:
      break;
  }
  return QAccessibleWidget::text(t);
}

QAccessible::Role SurfaceAccessible::role() const { return ToQtRole(Spoken().role); }

int SurfaceAccessible::childCount() const { return Count(Spoken()); }

QAccessibleInterface* SurfaceAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (parts_.size() <= static_cast<std::size_t>(index)) parts_.resize(index + 1, 0);
  if (parts_[index] == 0) {
    auto* part = new PartAccessible(const_cast<SurfaceAccessible*>(this), index);
    parts_[index] = QAccessible::registerAccessibleInterface(part);
  }
  return QAccessible::accessibleInterface(parts_[index]);
}

int SurfaceAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (std::size_t i = 0; i < parts_.size(); ++i)
    if (parts_[i] != 0 && QAccessible::accessibleInterface(parts_[i]) == child)
      return static_cast<int>(i);
  return -1;
}

QAccessibleInterface* SurfaceAccessible::childAt(int x, int y) const {
  const AccessibleSurface& a = Spoken();
  if (!a.part_place) return nullptr;
  const QPoint at = View()->mapFromGlobal(QPoint(x, y));
  for (int i = 0; i < childCount(); ++i)
    if (ToQRect(a.part_place(i)).contains(at)) return child(i);
  return nullptr;
}

QAccessibleInterface* SurfaceAccessible::focusChild() const {
  const AccessibleSurface& a = Spoken();
  if (!View()->hasFocus() || !a.current_part) return QAccessibleWidget::focusChild();
  const int current = a.current_part();
  return current >= 0 ? child(current) : QAccessibleWidget::focusChild();
}

void Announce(SurfaceView& view, bool focus_taken, Announced& last) {
  if (!QAccessible::isActive()) return;
  const AccessibleSurface& a = view.Spoken();
  const std::string name = a.name ? a.name() : std::string();
  if (name != last.name) {
    last.name = name;
    QAccessibleEvent event(&view, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
  const int count = Count(a);
  if (count != last.count) {
    last.count = count;
    QAccessibleEvent event(&view, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
  }
  const auto part_event = [&view](QAccessible::Event type, int part) {
    QAccessibleEvent event(&view, type);
    event.setChild(part);
    QAccessible::updateAccessibility(&event);
  };
  if (a.part_checked) {
    int checked = -1;
    for (int i = 0; i < count && checked < 0; ++i)
      if (a.part_checked(i)) checked = i;
    if (checked != last.checked) {
      QAccessible::State changed;
      changed.checked = true;
      for (int part : {last.checked, checked}) {
        if (part < 0 || part >= count) continue;
        QAccessibleStateChangeEvent event(&view, changed);
        event.setChild(part);
        QAccessible::updateAccessibility(&event);
      }
      last.checked = checked;
    }
  }
  const int current = a.current_part ? a.current_part() : -1;
  if (current < 0 || current >= count || !a.part_name) return;
  const std::string current_name = a.part_name(current);
  if (current != last.current || focus_taken) {
    if (view.hasFocus()) part_event(QAccessible::Focus, current);
  } else if (current_name != last.current_name) {
    part_event(QAccessible::NameChanged, current);
  }
  last.current = current;
  last.current_name = current_name;
}

void InstallSurfaceAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&SurfaceFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace pelorin
