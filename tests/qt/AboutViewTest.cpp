#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "app/frmAbout.h"
#include "app/frmAboutView.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

QString LabelText(const QWidget& view, const char* name) {
  const auto* label = view.findChild<QLabel*>(QString::fromLatin1(name));
  return label ? label->text() : QStringLiteral("<missing>");
}

void PressKey(QWidget* w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
}

TEST(AboutView, ShowsWhatTheCoreHolds) {
  FakePlatform platform;
  frmAbout core(platform, "Pelorin - 未命名");
  core.Form_Load();
  frmAboutView view(core, nullptr);

  EXPECT_EQ(view.windowTitle(), QStringLiteral("关于"));
  EXPECT_EQ(LabelText(view, "lblTitle"), QStringLiteral("Pelorin - 未命名"));
  EXPECT_EQ(LabelText(view, "lblVersion"), QStringLiteral("Version 3.0.0"));
  EXPECT_EQ(LabelText(view, "lblDescription"), QStringLiteral("32 x 32 真彩色Pelorin"));
  EXPECT_EQ(LabelText(view, "lblPurpose").toStdString(), core.lblPurpose);
  EXPECT_EQ(LabelText(view, "lblCopyright").toStdString(), core.lblCopyright);

  const auto* icon = view.findChild<QLabel*>(QStringLiteral("picIcon"));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
  EXPECT_TRUE(icon->pixmap().hasAlphaChannel());

  int etched = 0;
  for (const QFrame* frame : view.findChildren<QFrame*>())
    etched += frame->frameShape() == QFrame::HLine && frame->frameShadow() == QFrame::Sunken;
  EXPECT_EQ(etched, 2);

  // A fixed border: the size cannot change.
  view.show();
  EXPECT_EQ(view.minimumSize(), view.maximumSize());
  // Every text shows whole on one line: a wrapped Chinese line may break inside a word.
  for (const char* name :
       {"lblTitle", "lblVersion", "lblDescription", "lblPurpose", "lblCopyright"}) {
    const auto* label = view.findChild<QLabel*>(QString::fromLatin1(name));
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->wordWrap()) << name;
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << name;
  }
}

TEST(AboutView, OkEnterAndEscCloseTheDialog) {
  FakePlatform platform;
  for (const int way : {0, 1, 2}) {
    frmAbout core(platform, "Pelorin - 未命名");
    core.Form_Load();
    frmAboutView view(core, nullptr);
    view.show();
    auto* ok = view.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    if (way == 0) ok->click();
    if (way == 1) PressKey(&view, Qt::Key_Return);
    if (way == 2) PressKey(&view, Qt::Key_Escape);
    EXPECT_TRUE(core.Done()) << way;
    EXPECT_FALSE(view.isVisible()) << way;
  }
}

TEST(AboutView, SystemInfoReachesTheCoreAndTheDialogStays) {
  FakePlatform platform;
  frmAbout core(platform, "Pelorin - 未命名");
  core.Form_Load();
  frmAboutView view(core, nullptr);
  view.show();
  auto* sys_info = view.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
  ASSERT_NE(sys_info, nullptr);
  EXPECT_EQ(sys_info->text(), QStringLiteral("&System Info..."));

  sys_info->click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "System Information Is Unavailable At This Time");
  EXPECT_TRUE(view.isVisible());

  platform.installed_programs["kinfocenter"] = "/usr/bin/kinfocenter";
  sys_info->click();
  ASSERT_EQ(platform.started_programs.size(), 1u);
  EXPECT_EQ(platform.started_programs[0].first, "/usr/bin/kinfocenter");
  EXPECT_TRUE(view.isVisible());
  EXPECT_FALSE(core.Done());
}

}  // namespace
}  // namespace pelorin
