#include "app/frmAboutView.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/DialogViews.h"
#include "platform/qt/QtConvert.h"

namespace pelorin {

namespace {

// The text column: at least this wide, and as wide as the longest notice, which stays on one line
// (a wrapped Chinese line may break inside a word). A long title is shortened with an ellipsis
// (the whole title is its tooltip) rather than widening the dialog past the notices or this.
constexpr int kTextMinWidth = 300;
constexpr int kTitleMaxWidth = 420;

QString FromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLabel* MakeLabel(const std::string& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(FromUtf8(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

// An etched line: a dark line over a light one.
QFrame* MakeEtchedLine(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

//  +------------------------------------------------+
//  | [icon]  Pelorin - 未命名         (bold, larger)  |
//  |         Version 3.0.0                          |
//  |         32 x 32 真彩色Pelorin                   |
//  | ---------------------------------------------- |
//  |         notice: what the program edits         |
//  |         notice: copyright                      |
//  | ---------------------------------------------- |
//  |                      [System Info...]   [OK]   |
//  +------------------------------------------------+
frmAboutView::frmAboutView(frmAbout& core, QWidget* parent) : QDialog(parent), core_(core) {
  setWindowTitle(FromUtf8(core_.Caption()));
  setObjectName(QStringLiteral("frmAbout"));

  auto* pic_icon = new QLabel(this);
  pic_icon->setObjectName(QStringLiteral("picIcon"));
  pic_icon->setPixmap(QPixmap::fromImage(ToQImageWithAlpha(core_.picIcon)));
  pic_icon->setFixedSize(32, 32);
  pic_icon->setAccessibleName(FromUtf8(core_.picIconName));

  QLabel* lbl_title = MakeLabel(core_.lblTitle, "lblTitle", this);
  QFont title_font = lbl_title->font();
  title_font.setBold(true);
  if (title_font.pointSizeF() > 0) {
    title_font.setPointSizeF(title_font.pointSizeF() * 1.25);
  } else {
    title_font.setPixelSize(title_font.pixelSize() * 5 / 4);
  }
  lbl_title->setFont(title_font);
  QLabel* lbl_version = MakeLabel(core_.lblVersion, "lblVersion", this);
  QLabel* lbl_description = MakeLabel(core_.lblDescription, "lblDescription", this);
  QLabel* lbl_purpose = MakeLabel(core_.lblPurpose, "lblPurpose", this);
  QLabel* lbl_copyright = MakeLabel(core_.lblCopyright, "lblCopyright", this);
  int notices_width = kTextMinWidth;
  for (QLabel* label : {lbl_version, lbl_description, lbl_purpose, lbl_copyright})
    notices_width = std::max(notices_width, label->sizeHint().width());

  const QFontMetrics title_metrics(title_font);
  const QString title = FromUtf8(core_.lblTitle);
  const int text_width =
      std::max(notices_width, std::min(title_metrics.horizontalAdvance(title), kTitleMaxWidth));
  const QString shown_title = title_metrics.elidedText(title, Qt::ElideMiddle, text_width);
  lbl_title->setText(shown_title);
  if (shown_title != title) lbl_title->setToolTip(title);
  for (QLabel* label : {lbl_title, lbl_version, lbl_description, lbl_purpose, lbl_copyright})
    label->setFixedWidth(text_width);

  cmd_ok_ = new QPushButton(QStringLiteral("OK"), this);
  cmd_ok_->setObjectName(QStringLiteral("cmdOK"));
  cmd_ok_->setDefault(true);
  auto* cmd_sys_info = new QPushButton(QStringLiteral("&System Info..."), this);
  cmd_sys_info->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(cmd_ok_, &QPushButton::clicked, this, &frmAboutView::OkClicked);
  connect(cmd_sys_info, &QPushButton::clicked, this, &frmAboutView::SysInfoClicked);
  // Both buttons the same width, as in a classic button row.
  const int button_width = std::max(cmd_ok_->sizeHint().width(), cmd_sys_info->sizeHint().width());
  cmd_ok_->setFixedWidth(button_width);
  cmd_sys_info->setFixedWidth(button_width);

  // Column 0 holds the icon, column 1 the texts; the lines span both.
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(16);
  grid->setVerticalSpacing(4);
  grid->addWidget(pic_icon, 0, 0, 3, 1, Qt::AlignTop | Qt::AlignLeft);
  grid->addWidget(lbl_title, 0, 1);
  grid->addWidget(lbl_version, 1, 1);
  grid->addWidget(lbl_description, 2, 1);
  grid->setRowMinimumHeight(3, 6);
  grid->addWidget(MakeEtchedLine(this), 4, 0, 1, 2);
  grid->setRowMinimumHeight(5, 6);
  grid->addWidget(lbl_purpose, 6, 1);
  grid->addWidget(lbl_copyright, 7, 1);
  grid->setRowMinimumHeight(8, 6);
  grid->addWidget(MakeEtchedLine(this), 9, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmd_sys_info);
  buttons->addWidget(cmd_ok_);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(16, 16, 16, 12);
  outer->setSpacing(10);
  outer->addLayout(grid);
  outer->addLayout(buttons);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(cmd_ok_, cmd_sys_info);
  cmd_ok_->setFocus();
}

void frmAboutView::reject() { OkClicked(); }

void frmAboutView::OkClicked() {
  core_.cmdOK_Click();
  FollowCore();
}

void frmAboutView::SysInfoClicked() {
  core_.cmdSysInfo_Click();
  FollowCore();
}

void frmAboutView::FollowCore() {
  if (core_.Done()) done(QDialog::Accepted);
}

// Shown by Platform::ShowDialog.
[[maybe_unused]] const bool kShown = RegisterModalView<frmAbout, frmAboutView>();

}  // namespace pelorin
