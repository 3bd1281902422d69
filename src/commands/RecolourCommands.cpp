#include "commands/RecolourCommands.h"

#include "colour/FrmColAdj.h"
#include "colour/Recolour.h"

namespace pelorin {

void RecolourCommands::MakeGrayscale() { changes_.ApplyToSelectionOrPicture(GrayscaleOpaque); }

void RecolourCommands::InvertColours() { changes_.ApplyToSelectionOrPicture(InvertOpaque); }

void RecolourCommands::AdjustColours() {
  selection_.Commit();
  Raster image = doc_.PicImage().raster();
  if (!RunColourAdjustment(platform_, tables_, doc_.PicMask().raster(), image,
                           doc_.picIcon().raster()))
    return;
  changes_.Apply(SelectionFirst::kLeave, [&](Raster&, Raster& picture) { picture = image; });
}

}  // namespace pelorin
