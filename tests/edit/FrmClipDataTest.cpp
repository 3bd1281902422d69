// The clipboard-image sizing dialog: its texts, place, default option and outcome.
#include <gtest/gtest.h>

#include "edit/FrmClipData.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

TEST(FrmClipData, LoadBuildsTheTitleTheSizeMessageAndThePlace) {
  FakePlatform platform;
  platform.screen_width = 1024;
  platform.screen_height = 768;
  FrmClipData dialog(platform, 33, 20);
  dialog.Form_Load();
  EXPECT_EQ(dialog.Caption(), "Pelorin - 图象粘贴");
  EXPECT_EQ(dialog.Message, "为 33 x 20 象素。");
  EXPECT_EQ(dialog.Left(), (1024 - 201) / 2);
  EXPECT_EQ(dialog.Top(), (768 - 153) / 3);
  EXPECT_EQ(dialog.ClientWidth(), 201);
  EXPECT_EQ(dialog.ClientHeight(), 153);
  dialog.Form_Paint();
  ASSERT_EQ(dialog.Printed.size(), 2u);
  EXPECT_EQ(dialog.Printed[0].text, "剪贴板图象尺寸大于图标尺寸要求，");
  EXPECT_EQ(dialog.Printed[1].y, 21);
  EXPECT_EQ(dialog.Printed[1].text, "为 33 x 20 象素。");
  EXPECT_TRUE(dialog.Tag.empty());
  EXPECT_EQ(dialog.Choice(), ShrinkOption::kSqueeze);
}

TEST(FrmClipData, TheOutcomeIsTheChosenOptionOnlyAfterOk) {
  FakePlatform platform;
  // Not touched: the close box leaves the tag empty, which is a cancel.
  EXPECT_EQ(AskHowToShrink(platform, 64, 48), std::nullopt);
  EXPECT_EQ(platform.Shown<FrmClipData>(), 1);

  platform.Answer<FrmClipData>([](FrmClipData& d) { d.cmdOK_Click(); });
  EXPECT_EQ(AskHowToShrink(platform, 64, 48), ShrinkOption::kSqueeze);

  platform.Answer<FrmClipData>([](FrmClipData& d) {
    d.Opt_Click(1);
    EXPECT_EQ(d.Opt, (std::array<bool, 2>{false, true}));
    d.cmdOK_Click();
    EXPECT_EQ(d.Tag, "Ok");
    EXPECT_TRUE(d.Hidden());
  });
  EXPECT_EQ(AskHowToShrink(platform, 64, 48), ShrinkOption::kProportional);

  platform.Answer<FrmClipData>([](FrmClipData& d) {
    d.Opt_Click(1);
    d.CmdCancel_Click();
    EXPECT_EQ(d.Tag, "Cancelled");
  });
  EXPECT_EQ(AskHowToShrink(platform, 64, 48), std::nullopt);

  // A fresh dialog every time: the first option is chosen again.
  platform.Answer<FrmClipData>([](FrmClipData& d) {
    EXPECT_TRUE(d.Opt[0]);
    d.cmdOK_Click();
  });
  EXPECT_EQ(AskHowToShrink(platform, 1000, 1), ShrinkOption::kSqueeze);
  EXPECT_EQ(platform.Shown<FrmClipData>(), 5);
  EXPECT_EQ(platform.do_events_calls, 5);
}

}  // namespace
}  // namespace pelorin
