// The main window as a screen reader reads it, in the program's own words: the canvas ("图标画布
// 32 x 32", its cells, the cell under the cursor), the preview, the tools by their captions, the
// palette's cells by their colours, the readouts and the two current colours.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "canvas/CanvasKeyboard.h"
#include "canvas/StatusArea.h"
#include "colour/ColourCommands.h"
#include "colour/PaletteKeyboard.h"
#include "document/IconDocument.h"
#include "platform/Accessible.h"

namespace pelorin {

// "红 255, 绿 0, 蓝 0".
std::string SpokenColour(Colour colour);
// The name a tool is read by: its caption.
std::string_view SpokenToolName(const ToolPalette& tools, int tool);
// A cell of the icon by its column and row (counted from 0, as the position readout shows them)
// and its colour, or "透明".
std::string SpokenCell(const IconDocument& doc, int column, int row);

AccessibleSurface CanvasAccessible(const IconDocument& doc, const CanvasKeyboard& keys);
AccessibleSurface PreviewAccessible();
AccessibleSurface ToolsAccessible(const Canvas& canvas, const ToolKeyboard& keys);
AccessibleSurface PaletteAccessible(const ColourCommands& colours, const PaletteKeyboard& keys);
// The two readouts and the two current colours, where the client area paints them.
std::vector<SpokenArea> StatusSpokenAreas(const StatusArea& status, const ColourCommands& colours);

}  // namespace pelorin
