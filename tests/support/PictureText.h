// Pictures written as text for pixel tests.
//
//   EXPECT_PICTURE(raster, 0, 0, {{'.', kWhite}, {'#', kBlack}},
//                  "..#"
//                  ".#.");
//
// Each character is one pixel; rows are separated by newlines or given as one string per row of
// equal width. On a mismatch the message shows the whole region as found and as expected, and
// the first differing pixel.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "raster/Raster.h"

namespace pelorin::testing {

using Legend = std::map<char, Colour>;

// Splits "abc\ndef" or a concatenation of equal rows of `width` characters into rows.
inline std::vector<std::string> PictureRows(const std::string& text, int width = 0) {
  std::vector<std::string> rows;
  if (text.find('\n') != std::string::npos) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
      if (!line.empty()) rows.push_back(line);
  } else if (width > 0) {
    for (std::size_t i = 0; i < text.size(); i += width) rows.push_back(text.substr(i, width));
  } else {
    rows.push_back(text);
  }
  return rows;
}

// Renders a region of a raster as text; colours missing from the legend show as '?'.
inline std::string RenderPicture(const Raster& r, int x0, int y0, int w, int h,
                                 const Legend& legend) {
  std::string out;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      char ch = '?';
      const Colour c = r.GetPixel(x, y);
      for (const auto& [k, v] : legend)
        if (v == c) ch = k;
      out += ch;
    }
    out += '\n';
  }
  return out;
}

inline ::testing::AssertionResult PictureMatches(const Raster& r, int x0, int y0,
                                                 const Legend& legend,
                                                 const std::vector<std::string>& rows) {
  for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
    for (int i = 0; i < static_cast<int>(rows[j].size()); ++i) {
      auto it = legend.find(rows[j][i]);
      if (it == legend.end())
        return ::testing::AssertionFailure() << "character '" << rows[j][i] << "' not in legend";
      const Colour got = r.GetPixel(x0 + i, y0 + j);
      if (got != it->second) {
        std::string expected;
        for (const auto& row : rows) expected += row + "\n";
        const int w = static_cast<int>(rows[0].size());
        std::ostringstream msg;
        msg << "first difference at (" << x0 + i << ", " << y0 + j << "): got 0x" << std::hex << got
            << ", expected 0x" << it->second << std::dec << "\nfound:\n"
            << RenderPicture(r, x0, y0, w, static_cast<int>(rows.size()), legend) << "expected:\n"
            << expected;
        return ::testing::AssertionFailure() << msg.str();
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Builds a raster from a picture.
inline Raster RasterFromPicture(const std::vector<std::string>& rows, const Legend& legend,
                                Raster::Depth depth = Raster::Depth::kColour) {
  Raster r(static_cast<int>(rows.empty() ? 0 : rows[0].size()), static_cast<int>(rows.size()),
           kBlack, depth);
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x) r.SetPixel(x, y, legend.at(rows[y][x]));
  return r;
}

}  // namespace pelorin::testing

#define EXPECT_PICTURE(raster, x0, y0, legend, text)                     \
  EXPECT_TRUE(::pelorin::testing::PictureMatches(raster, x0, y0, legend, \
                                                 ::pelorin::testing::PictureRows(text)))
