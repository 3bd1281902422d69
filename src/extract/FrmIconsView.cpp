#include "extract/FrmIconsView.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/qt/DialogViews.h"
#include "platform/qt/DialogWidth.h"
#include "platform/qt/SurfaceView.h"

namespace pelorin {

namespace {

constexpr int kClientWidth = 417;
constexpr int kClientHeight = 245;

QString FromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton* MakeButton(const char* text, const char* name, int left, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, 212, 65, 25);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

FrmIconsView::FrmIconsView(FrmIcons& core, QWidget* parent)
    : QDialog(parent), core_(core), content_(new QWidget(this)) {
  setObjectName(QStringLiteral("FrmIcons"));
  FitWidth(*this, *content_, kClientWidth, kClientHeight);

  // PicFrame's sunken border is 2 pixels; inside it the grid and the scroll bar, 397 x 190.
  auto* pic_frame = new QFrame(content_);
  pic_frame->setObjectName(QStringLiteral("PicFrame"));
  pic_frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pic_frame->setLineWidth(2);
  pic_frame->setGeometry(8, 8, 401, 194);
  auto* inside = new QWidget(pic_frame);
  inside->setGeometry(2, 2, kIconsGridWidth + 17, kIconsShownHeight);

  ShownSurface icons{&core_.PicIcons};
  icons.on_release = [this](int button, int shift, double x, double y) {
    core_.PicIcons_MouseUp(button, shift, x, y);
  };
  icons.on_double_click = [this](int button, int shift, double x, double y) {
    core_.PicIcons_DblClick(button, shift, x, y);
  };
  icons.on_key_down = [this](int key, int shift, bool) {
    return core_.PicIcons_KeyDown(key, shift);
  };
  icons.accessible.role = AccessibleRole::kList;
  icons.accessible.name = [this] { return core_.PicIconsName; };
  icons.accessible.description = [this] { return core_.PicIconsHelp; };
  icons.accessible.part_count = [this] { return core_.IconCount(); };
  icons.accessible.part_name = [](int k) { return FrmIcons::IconName(k); };
  icons.accessible.part_place = [](int k) { return FrmIcons::IconCell(k); };
  icons.accessible.current_part = [this] { return core_.SelectedIndex(); };
  pic_icons_ = new SurfaceView(icons, inside);
  pic_icons_->installEventFilter(this);

  vsb_ = new QScrollBar(Qt::Vertical, inside);
  vsb_->setObjectName(QStringLiteral("Vsb"));
  vsb_->setAccessibleName(FromUtf8(core_.VsbName));
  vsb_->setGeometry(kIconsGridWidth, 0, 17, kIconsShownHeight);
  connect(vsb_, &QScrollBar::valueChanged, this, [this](int value) { core_.Vsb_Change(value); });
  connect(vsb_, &QScrollBar::sliderMoved, this, [this](int value) { core_.Vsb_Scroll(value); });

  // The label is given the room up to the buttons and the font's height, centred where the
  // dialog's 12-pixel line would be, so that a wider font does not cut the text.
  lbl_info_ = new QLabel(content_);
  lbl_info_->setObjectName(QStringLiteral("LblInfo"));
  lbl_info_->setTextFormat(Qt::PlainText);
  const int label_height = std::max(12, lbl_info_->fontMetrics().height());
  lbl_info_->setGeometry(8, 230 - label_height / 2, 190, label_height);

  QPushButton* browse = MakeButton("浏览&B", "CmdBrowse", 206, content_);
  QPushButton* ok = MakeButton("确定&Ok", "CmdOk", 276, content_);
  QPushButton* cancel = MakeButton("取消&C", "CmdCancel", 347, content_);
  ok->setDefault(true);
  setTabOrder(browse, ok);
  setTabOrder(ok, cancel);
  connect(browse, &QPushButton::clicked, this, [this] { core_.CmdBrowse_Click(); });
  connect(ok, &QPushButton::clicked, this, [this] { core_.CmdOk_Click(); });
  connect(cancel, &QPushButton::clicked, this, [this] { core_.CmdCancel_Click(); });

  core_.SetChangeHandler([this] { FollowCore(); });
  FollowCore();
  ok->setFocus();
}

FrmIconsView::~FrmIconsView() { core_.SetChangeHandler(nullptr); }

bool FrmIconsView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pic_icons_ && event->type() == QEvent::Wheel) {
    if (vsb_->isEnabled()) QCoreApplication::sendEvent(vsb_, event);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void FrmIconsView::FollowCore() {
  const QString caption = FromUtf8(core_.Caption());
  if (caption != windowTitle()) {
    setWindowTitle(caption);
    FitWidth(*this, *content_, kClientWidth, kClientHeight);
  }
  lbl_info_->setText(FromUtf8(core_.LblInfo()));
  const ScrollBarState& state = core_.Vsb();
  {
    const QSignalBlocker block(vsb_);
    vsb_->setRange(state.Min, state.Max);
    vsb_->setPageStep(state.LargeChange);
    vsb_->setSingleStep(state.SmallChange);
    vsb_->setValue(state.Value);
    vsb_->setEnabled(state.Enabled);
  }
  pic_icons_->setFixedSize(core_.PicIcons.width(), core_.PicIcons.height());
  pic_icons_->move(0, core_.PicIconsTop());
  pic_icons_->update();
  if (!core_.Visible() && isVisible()) done(QDialog::Accepted);
}

// Shown by Platform::ShowDialog.
[[maybe_unused]] const bool kShown = RegisterModalView<FrmIcons, FrmIconsView>();

}  // namespace pelorin
