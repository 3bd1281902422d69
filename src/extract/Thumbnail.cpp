#include "extract/Thumbnail.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace pelorin {
namespace {

// How `n` source pixels of one axis are averaged onto `m` (at most n) destination pixels:
// destination pixel d covers the source positions [d n / m, (d + 1) n / m), and each source pixel
// counts with the part of it that lies inside.
struct AxisWeights {
  struct Span {
    int first;       // the first source pixel
    int count;       // how many follow from it
    std::size_t at;  // where their weights start in `weights`
  };
  std::vector<Span> spans;     // one a destination pixel
  std::vector<float> weights;  // each span's summing to 1
};

AxisWeights Weights(int n, int m) {
  AxisWeights axis;
  axis.spans.reserve(m);
  for (int d = 0; d < m; ++d) {
    const double begin = static_cast<double>(d) * n / m;
    const double end = static_cast<double>(d + 1) * n / m;
    const int first = static_cast<int>(begin);
    const int last = std::min(n - 1, static_cast<int>(std::ceil(end)) - 1);
    axis.spans.push_back({first, last - first + 1, axis.weights.size()});
    for (int s = first; s <= last; ++s) {
      const double inside = std::min<double>(s + 1, end) - std::max<double>(s, begin);
      axis.weights.push_back(static_cast<float>(inside * m / n));
    }
  }
  return axis;
}

// A sum of non-negative weighted values, rounded to a byte.
std::uint8_t Channel(float value) {
  return static_cast<std::uint8_t>(std::min(value + 0.5f, 255.0f));
}

// Row `y` of `image` averaged across onto the destination columns: the sums of R·A, G·A, B·A
// and A of each.
void SumAcross(const RgbaImage& image, int y, const AxisWeights& columns, float* out) {
  const std::uint8_t* source = image.rgba.data() + static_cast<std::size_t>(y) * image.width * 4;
  for (const AxisWeights::Span& span : columns.spans) {
    float sum[4] = {0, 0, 0, 0};
    for (int k = 0; k < span.count; ++k) {
      const std::uint8_t* p = source + static_cast<std::size_t>(span.first + k) * 4;
      const float weighted_alpha = columns.weights[span.at + k] * p[3];
      sum[0] += weighted_alpha * p[0];
      sum[1] += weighted_alpha * p[1];
      sum[2] += weighted_alpha * p[2];
      sum[3] += weighted_alpha;
    }
    std::copy(sum, sum + 4, out);
    out += 4;
  }
}

// `image` scaled down to width x height by area averaging, each colour weighted by its alpha.
// One destination row at a time, from the source rows it covers (a row on the border between
// two is summed across twice): the memory needed beyond the result is two rows.
RgbaImage AreaAverage(const RgbaImage& image, int width, int height) {
  const AxisWeights columns = Weights(image.width, width);
  const AxisWeights rows = Weights(image.height, height);
  RgbaImage out{width, height,
                std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  std::vector<float> across(static_cast<std::size_t>(width) * 4);
  std::vector<float> sum(across.size());
  std::uint8_t* pixel = out.rgba.data();
  for (const AxisWeights::Span& span : rows.spans) {
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (int k = 0; k < span.count; ++k) {
      SumAcross(image, span.first + k, columns, across.data());
      const float w = rows.weights[span.at + k];
      for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += w * across[i];
    }
    // The colours divided by their alpha again.
    for (int x = 0; x < width; ++x, pixel += 4) {
      const float* s = sum.data() + static_cast<std::size_t>(x) * 4;
      pixel[3] = Channel(s[3]);
      if (pixel[3] == 0) continue;  // stays (0, 0, 0, 0)
      for (int c = 0; c < 3; ++c) pixel[c] = Channel(s[c] / s[3]);
    }
  }
  return out;
}

// Every pixel of `image` as a `factor` x `factor` block.
RgbaImage Enlarged(const RgbaImage& image, int factor) {
  RgbaImage out{image.width * factor, image.height * factor,
                std::vector<std::uint8_t>(image.rgba.size() * factor * factor)};
  std::uint8_t* to = out.rgba.data();
  for (int y = 0; y < out.height; ++y) {
    const std::uint8_t* row =
        image.rgba.data() + static_cast<std::size_t>(y / factor) * image.width * 4;
    for (int x = 0; x < out.width; ++x, to += 4) std::copy_n(row + (x / factor) * 4, 4, to);
  }
  return out;
}

}  // namespace

std::optional<int> ParseThumbnailSize(std::string_view text) {
  int size = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  if (error != std::errc() || end != text.data() + text.size() || size < kSmallestThumbnail ||
      size > kLargestThumbnail)
    return std::nullopt;
  return size;
}

std::optional<std::size_t> ChooseThumbnailImage(const IconGroup& group, int size) {
  std::optional<std::size_t> best;
  int best_side = 0;
  int best_bits = 0;
  for (std::size_t i = 0; i < group.images.size(); ++i) {
    const auto facts = InspectIconImage(group.images[i]);
    if (!facts) continue;
    const int side = std::max(facts->width, facts->height);
    bool better = !best;
    if (best) {
      const bool fits = side >= size;
      if (fits != (best_side >= size)) {
        better = fits;
      } else if (side != best_side) {
        better = fits ? side < best_side : side > best_side;
      } else {
        better = facts->bit_count > best_bits;
      }
    }
    if (better) best = i, best_side = side, best_bits = facts->bit_count;
  }
  return best;
}

RgbaImage FitThumbnail(const RgbaImage& image, int size) {
  const int side = std::max(image.width, image.height);
  if (side > size) {
    const double scale = static_cast<double>(size) / side;
    const auto fit = [&](int extent) {
      return std::clamp(static_cast<int>(std::lround(extent * scale)), 1, size);
    };
    return AreaAverage(image, fit(image.width), fit(image.height));
  }
  if (const int factor = size / side; factor >= 2) return Enlarged(image, factor);
  return image;
}

std::optional<RgbaImage> MakeThumbnail(std::span<const std::uint8_t> file, int size) {
  if (size < kSmallestThumbnail || size > kLargestThumbnail) return std::nullopt;
  const auto group = IconFileReader(file).Group(0, 0);
  if (!group) return std::nullopt;
  const auto chosen = ChooseThumbnailImage(*group, size);
  if (!chosen) return std::nullopt;
  const auto image = DecodeIconImageRgba(group->images[*chosen]);
  if (!image) return std::nullopt;
  return FitThumbnail(*image, size);
}

}  // namespace pelorin
