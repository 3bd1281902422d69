// A main window loaded with the fake platform, for tests that drive its handlers.
#pragma once

#include <string>

#include "app/frmMain.h"
#include "platform/FakePlatform.h"

namespace pelorin::testing {

struct LoadedForm {
  explicit LoadedForm(std::string command_line = "") : form(platform, host, command_line) {
    form.Form_Load();
  }

  // A click (press, move, release) with `button` at canvas pixel (x, y).
  void ClickCanvas(int button, double x, double y) {
    form.PicMain_MouseDown(button, 0, x, y);
    form.PicMain_MouseMove(button, 0, x, y);
    form.PicMain_MouseUp(button, 0, x, y);
  }
  // A click on the tool palette at the top-left corner of tool n's cell.
  void ChooseTool(int tool) {
    const double x = 23 * ((tool - 1) % 4) + 5;
    const double y = 22 * ((tool - 1) / 4) + 5;
    form.canvas().Tools().PicTools_MouseDown(1, 0, x, y);
    form.canvas().Tools().PicTools_MouseUp(1, 0, x, y);
  }
  Colour Image(int x, int y) const { return form.doc().PicImage.raster().At(x, y); }
  Colour Mask(int x, int y) const { return form.doc().PicMask.raster().At(x, y); }
  Colour Preview(int x, int y) const { return form.doc().picIcon.raster().At(x, y); }
  Colour Canvas(int x, int y) const { return form.doc().PicMain.raster().At(x, y); }
  Colour Copy(int x, int y) const { return form.doc().PicMainCopy.raster().At(x, y); }

  FakePlatform platform;
  FakeWindowHost host;
  frmMain form;
};

}  // namespace pelorin::testing
