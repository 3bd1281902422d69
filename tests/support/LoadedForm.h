// A main window loaded with the fake platform, for tests that drive its handlers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/frmMain.h"
#include "platform/FakePlatform.h"

namespace pelorin::testing {

struct LoadedForm {
  // `command_line` is one argument ("/open <path>", say); empty, there is none.
  explicit LoadedForm(std::string command_line = "")
      : form(platform, host,
             command_line.empty() ? std::vector<std::string>{}
                                  : std::vector<std::string>{std::move(command_line)}) {
    form.Form_Load();
  }

  // A click (press, move, release) with `button` at canvas pixel (x, y).
  void ClickCanvas(int button, double x, double y) {
    form.PicMain_MouseDown(button, 0, x, y);
    form.PicMain_MouseMove(button, 0, x, y);
    form.PicMain_MouseUp(button, 0, x, y);
  }
  // A drag with `button` from canvas pixel (x0, y0) to (x1, y1): press, a move at the press
  // point, a move to the end, release there.
  void DragCanvas(int button, double x0, double y0, double x1, double y1) {
    form.PicMain_MouseDown(button, 0, x0, y0);
    form.PicMain_MouseMove(button, 0, x0, y0);
    form.PicMain_MouseMove(button, 0, x1, y1);
    form.PicMain_MouseUp(button, 0, x1, y1);
  }
  // Whether the canvas and the preview show exactly the icon, as a full redraw would draw them:
  // no rubber band, no marquee, no stale cell.
  ::testing::AssertionResult ViewsShowTheIcon() {
    const Raster canvas = form.doc().PicMain().raster();
    const Raster preview = form.doc().picIcon().raster();
    const bool modified = form.doc().Modified();
    form.doc().DisplayResults();
    if (!modified) form.doc().MarkUnmodified();
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x)
        if (canvas.At(x, y) != form.doc().PicMain().raster().At(x, y))
          return ::testing::AssertionFailure() << "canvas differs at (" << x << ", " << y << ")";
    if (preview != form.doc().picIcon().raster())
      return ::testing::AssertionFailure() << "the preview differs";
    return ::testing::AssertionSuccess();
  }
  // A click on the tool palette at the top-left corner of tool n's cell.
  void ChooseTool(int tool) {
    const double x = 23 * ((tool - 1) % 4) + 5;
    const double y = 22 * ((tool - 1) / 4) + 5;
    form.canvas().Tools().PicTools_MouseDown(1, 0, x, y);
    form.canvas().Tools().PicTools_MouseUp(1, 0, x, y);
  }
  // Icon pixel (x, y) made opaque in `colour`, the views redrawn.
  void Opaque(int x, int y, Colour colour) {
    form.doc().ChangePicture([&](Raster& mask, Raster& image) {
      mask.SetPixel(x, y, kBlack);
      image.SetPixel(x, y, colour);
    });
  }
  Colour Image(int x, int y) const { return form.doc().PicImage().raster().At(x, y); }
  Colour Mask(int x, int y) const { return form.doc().PicMask().raster().At(x, y); }
  Colour Preview(int x, int y) const { return form.doc().picIcon().raster().At(x, y); }
  Colour Canvas(int x, int y) const { return form.doc().PicMain().raster().At(x, y); }
  Colour Copy(int x, int y) const { return form.doc().PicMainCopy().raster().At(x, y); }

  FakePlatform platform;
  FakeWindowHost host;
  frmMain form;
};

}  // namespace pelorin::testing
