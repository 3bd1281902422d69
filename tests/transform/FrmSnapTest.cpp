// Screen capture through the fake platform: the pointer, its hot spot held on the screen, the
// block taken, Esc, and a screen that cannot be read.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/FakePlatform.h"
#include "support/PictureText.h"
#include "transform/FrmSnap.h"

namespace pelorin {
namespace {

// A screen of W x H whose every pixel tells where it is: red x mod 256, green y mod 256, blue
// x / 256 + 16 (y / 256).
Colour At(int x, int y) {
  return static_cast<Colour>((x % 256) | ((y % 256) << 8) | ((x / 256 + 16 * (y / 256)) << 16));
}
Raster Screen(int w, int h) {
  Raster r(w, h, kBlack);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) r.SetPixel(x, y, At(x, y));
  return r;
}

// A press and its release at one place.
void Click(FrmSnap& s, int button, double x, double y) {
  s.Form_MouseDown(button, 0, x, y);
  s.Form_MouseUp(button, 0, x, y);
}

void ExpectBlockAt(const Raster& image, int left, int top) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(image.At(x, y), At(left + x, top + y)) << x << "," << y;
}

TEST(FrmSnap, ThePointerIsASquareOfTwoBlackThreeWhiteRuns) {
  const Picture p = SnapPointer();
  EXPECT_EQ(p.hot_x, 0);
  EXPECT_EQ(p.hot_y, 0);
  const std::string edge = "##...##...##...##...##...##...##";
  std::string inside = "#";
  inside += std::string(30, ' ');
  inside += "#";
  const testing::Legend mask_legend = {{'#', kBlack}, {' ', kWhite}};
  const testing::Legend image_legend = {{'#', kBlack}, {'.', kWhite}};
  std::string mask_text = std::string(32, '#') + "\n";
  for (int y = 1; y < 31; ++y) mask_text += inside + "\n";
  mask_text += std::string(32, '#') + "\n";
  EXPECT_PICTURE(p.mask, 0, 0, mask_legend, mask_text);
  EXPECT_PICTURE(p.image, 0, 0, image_legend, edge + "\n");
  EXPECT_PICTURE(p.image, 0, 31, image_legend, edge + "\n");
  for (int y = 0; y < 32; ++y) {
    const Colour expected = edge[y] == '#' ? kBlack : kWhite;
    EXPECT_EQ(p.image.At(0, y), expected) << y;
    EXPECT_EQ(p.image.At(31, y), expected) << y;
    EXPECT_EQ(p.image.At(15, y), y == 0 || y == 31 ? p.image.At(15, 0) : kBlack);
  }
}

TEST(FrmSnap, TheHotSpotNeverPassesTheLastWholeBlock) {
  FakePlatform platform;
  FrmSnap snap(platform, Screen(640, 480));
  snap.Form_Load();
  EXPECT_EQ(snap.ScreenWidth(), 640);
  EXPECT_EQ(snap.ScreenHeight(), 480);
  snap.Form_MouseMove(0, 0, 100, 200);
  EXPECT_EQ(snap.HotX(), 100);
  EXPECT_EQ(snap.HotY(), 200);
  snap.Form_MouseMove(0, 0, 639, 479);
  EXPECT_EQ(snap.HotX(), 608);
  EXPECT_EQ(snap.HotY(), 448);
  snap.Form_MouseMove(0, 0, 609.0, 448.5);  // halves to even
  EXPECT_EQ(snap.HotX(), 608);
  EXPECT_EQ(snap.HotY(), 448);
  snap.Form_MouseMove(0, 0, -5, 2.5);
  EXPECT_EQ(snap.HotX(), 0);
  EXPECT_EQ(snap.HotY(), 2);
  EXPECT_FALSE(snap.Done());
}

TEST(FrmSnap, TheArrowsMoveTheBlockWithinTheScreenAndEnterTakesIt) {
  FakePlatform platform;
  FrmSnap snap(platform, Screen(640, 480));
  snap.Form_Load();
  snap.Form_MouseMove(0, 0, 600, 3);
  for (const auto& [key, shift, x, y] : {std::tuple{kKeyRight, 0, 601, 3},
                                         {kKeyRight, kCtrlDown, 608, 3},
                                         {kKeyUp, kCtrlDown, 608, 0},
                                         {kKeyDown, 0, 608, 1},
                                         {kKeyLeft, kCtrlDown, 576, 1},
                                         {kKeySpace, 0, 576, 1}}) {
    snap.Form_KeyDown(key, shift);
    EXPECT_EQ(snap.HotX(), x) << key;
    EXPECT_EQ(snap.HotY(), y) << key;
  }
  EXPECT_FALSE(snap.Done());
  snap.Form_KeyDown(kKeyReturn, 0);
  ASSERT_TRUE(snap.Taken());
  ExpectBlockAt(snap.Block(), 576, 1);
  snap.Form_KeyDown(kKeyLeft, 0);  // after the end nothing moves
  EXPECT_EQ(snap.HotX(), 576);
}

TEST(FrmSnap, AReleaseTakesTheBlockAsAnOpaquePicture) {
  FakePlatform platform;
  platform.screen_image = Screen(1024, 768);
  Raster mask(32, 32, kWhite);
  Raster image(32, 32, kBlack);
  platform.Answer<FrmSnap>([](FrmSnap& s) { Click(s, 1, 0, 0); });
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kTaken);
  EXPECT_EQ(mask, Raster(32, 32, kBlack));
  ExpectBlockAt(image, 0, 0);
  EXPECT_EQ(platform.screen_grabs, 1);
  EXPECT_EQ(platform.Shown<FrmSnap>(), 1);

  // Any button; near the bottom-right corner the last whole block is taken.
  platform.Answer<FrmSnap>([](FrmSnap& s) {
    s.Form_MouseMove(0, 0, 1020, 760);
    s.Form_MouseDown(2, 0, 1020, 760);
    s.Form_MouseUp(2, 0, 1023, 767);
    EXPECT_TRUE(s.Done());
  });
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kTaken);
  ExpectBlockAt(image, 992, 736);

  // A release whose press the window did not see (a drag on the canvas that was still held when
  // a key started the capture) takes nothing; nor does the release of a button other than the
  // one pressed. The next click takes the block.
  platform.Answer<FrmSnap>([](FrmSnap& s) {
    s.Form_MouseUp(1, 0, 10, 10);
    s.Form_MouseDown(4, 0, 20, 20);
    s.Form_MouseUp(1, 0, 20, 20);
    EXPECT_FALSE(s.Done());
    s.Form_MouseUp(4, 0, 300, 260);
  });
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kTaken);
  ExpectBlockAt(image, 300, 260);
}

TEST(FrmSnap, EscOrClosingTheWindowChangesNothing) {
  FakePlatform platform;
  platform.screen_image = Screen(640, 480);
  Raster mask(32, 32, kWhite);
  mask.SetPixel(3, 3, kBlack);
  Raster image(32, 32, kBlack);
  image.SetPixel(3, 3, 0x123456);
  const Raster mask_before = mask;
  const Raster image_before = image;
  platform.Answer<FrmSnap>([](FrmSnap& s) {
    s.Form_MouseMove(0, 0, 10, 10);
    s.Form_KeyDown('A', 0);  // other keys do nothing
    EXPECT_FALSE(s.Done());
    s.Form_KeyDown(kKeyEscape, 0);
    EXPECT_TRUE(s.Done());
    Click(s, 1, 10, 10);  // too late: the capture has ended
    EXPECT_FALSE(s.Taken());
  });
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kCancelled);
  platform.Answer<FrmSnap>(nullptr);
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kCancelled);
  EXPECT_EQ(mask, mask_before);
  EXPECT_EQ(image, image_before);
}

TEST(FrmSnap, WithoutAScreenImageNothingIsShownOrChangedAndTheUserIsTold) {
  FakePlatform platform;
  Raster mask(32, 32, kWhite);
  Raster image(32, 32, kBlack);
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kNoScreenImage);
  platform.screen_image = Screen(31, 400);  // narrower than one block
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kNoScreenImage);
  EXPECT_EQ(platform.Shown<FrmSnap>(), 0);
  EXPECT_EQ(mask, Raster(32, 32, kWhite));
  EXPECT_TRUE(platform.messages.empty());
  ReportNoScreenImage(platform);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "无法读取屏幕图象，屏幕捕获未能进行。\r\n图标没有改变。");
  EXPECT_EQ(platform.messages[0].title, "Pelorin - 错误");
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::kExclamation);
  EXPECT_EQ(platform.messages[0].buttons, MsgButtons::kOk);
}

TEST(FrmSnap, AScreenOfExactlyOneBlockHasOnePlaceForThePointer) {
  FakePlatform platform;
  platform.screen_image = Screen(32, 32);
  Raster mask(32, 32, kWhite);
  Raster image(32, 32, kBlack);
  platform.Answer<FrmSnap>([](FrmSnap& s) { Click(s, 1, 20, 31); });
  EXPECT_EQ(CaptureScreenBlock(platform, mask, image), CaptureOutcome::kTaken);
  ExpectBlockAt(image, 0, 0);
}

}  // namespace
}  // namespace pelorin
