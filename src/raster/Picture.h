// Pictures kept as text under resources/ and compiled into the program.
//
//   # comment
//   size 9 9
//   key . FFFFFF          one character per colour, written red first (RRGGBB)
//   key g 808080
//   key ' ' transparent   (written without the quotes: "key . transparent")
//   hotspot 1 15          optional: the hot spot of a pointer picture
//   rows
//   .........             exactly <height> rows of exactly <width> key characters
//
// A picture comes out as the icon pair: a colour image and a mask (black where the picture is
// opaque; white, with black in the image, where it is transparent).
#pragma once

#include <optional>
#include <string_view>

#include "raster/Raster.h"

namespace pelorin {

struct Picture {
  Raster image;
  Raster mask;
  int hot_x = 0;
  int hot_y = 0;
};

// The text of a resource file by its file name ("hatch.txt"); empty when there is none.
std::string_view FindResource(std::string_view name);

// Parses a text picture; nullopt when the text does not follow the format.
std::optional<Picture> ParsePicture(std::string_view text);

// A picture resource of the program. The program's own resources always parse; a missing or
// broken one is a build fault, reported by the tests, and gives an empty picture here.
Picture LoadPictureResource(std::string_view name);

}  // namespace pelorin
