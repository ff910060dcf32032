#include "platform/posix/pixel_transfer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace posix {
namespace {

bool Usable(const DibSection& source) {
  return source.width > 0 && source.height > 0 && std::int64_t{source.stride} >= std::int64_t{source.width} * 3 &&
         source.bits.size() >= static_cast<std::size_t>(source.stride) * static_cast<std::size_t>(source.height);
}

bool Usable(const WindowPicture& picture) {
  return picture.pixels != nullptr && picture.width > 0 && picture.height > 0 && picture.stride >= picture.width;
}

// The first byte of source row y, counted from the top of the picture.
const BYTE* SourceRow(const DibSection& source, std::int64_t y) {
  const std::int64_t row = source.bottomUp ? source.height - 1 - y : y;
  return source.bits.data() + row * source.stride;
}

std::uint32_t* PictureRow(const WindowPicture& picture, std::int64_t y) { return picture.pixels + y * picture.stride; }

// Blue, green, red in memory; 0x00RRGGBB in the picture.
std::uint32_t ToPicturePixel(const BYTE* bgr) {
  return std::uint32_t{bgr[0]} | (std::uint32_t{bgr[1]} << 8) | (std::uint32_t{bgr[2]} << 16);
}

// The steps i in [0, count) for which origin + i lies in [0, limit): one interval, empty when begin >= end.
struct Span {
  std::int64_t begin;
  std::int64_t end;
};

Span Inside(std::int64_t origin, std::int64_t count, std::int64_t limit) {
  return Span{std::max<std::int64_t>(0, -origin), std::min<std::int64_t>(count, limit - origin)};
}

Span Intersect(Span a, Span b) { return Span{std::max(a.begin, b.begin), std::min(a.end, b.end)}; }

RECT Area(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right), static_cast<LONG>(bottom)};
}

// For each destination step in `steps` (offsets from the destination origin), the source coordinate under its
// centre, or -1 where that falls outside [0, sourceLimit). `firstValid`/`endValid` bound the steps that map
// inside; the mapping only grows, so they form one interval.
std::vector<std::int64_t> SampleMap(Span steps, std::int64_t sourceOrigin, std::int64_t sourceSize,
                                    std::int64_t destinationSize, std::int64_t sourceLimit, Span& valid) {
  std::vector<std::int64_t> map;
  valid = Span{steps.end, steps.end};
  if (steps.begin >= steps.end) {
    return map;
  }
  map.reserve(static_cast<std::size_t>(steps.end - steps.begin));
  for (std::int64_t i = steps.begin; i < steps.end; ++i) {
    const std::int64_t s = sourceOrigin + (2 * i + 1) * sourceSize / (2 * destinationSize);
    const bool inside = s >= 0 && s < sourceLimit;
    map.push_back(inside ? s : -1);
    if (inside) {
      valid.begin = std::min(valid.begin, i);
      valid.end = i + 1;
    }
  }
  return map;
}

}  // namespace

RECT CopyPixels(const DibSection& source, int sourceX, int sourceY, const WindowPicture& picture,
                const BlitRect& destination) {
  const RECT nothing{0, 0, 0, 0};
  if (!Usable(source) || !Usable(picture) || destination.width <= 0 || destination.height <= 0) {
    return nothing;
  }
  const Span columns = Intersect(Inside(destination.x, destination.width, picture.width),
                                 Inside(sourceX, destination.width, source.width));
  const Span rows = Intersect(Inside(destination.y, destination.height, picture.height),
                              Inside(sourceY, destination.height, source.height));
  if (columns.begin >= columns.end || rows.begin >= rows.end) {
    return nothing;
  }
  for (std::int64_t i = rows.begin; i < rows.end; ++i) {
    const BYTE* from = SourceRow(source, sourceY + i) + (sourceX + columns.begin) * 3;
    std::uint32_t* to = PictureRow(picture, destination.y + i) + (destination.x + columns.begin);
    for (std::int64_t n = columns.end - columns.begin; n > 0; --n) {
      *to++ = ToPicturePixel(from);
      from += 3;
    }
  }
  return Area(destination.x + columns.begin, destination.y + rows.begin, destination.x + columns.end,
              destination.y + rows.end);
}

RECT StretchPixels(const DibSection& source, const BlitRect& sourceRect, const WindowPicture& picture,
                   const BlitRect& destination) {
  const RECT nothing{0, 0, 0, 0};
  if (!Usable(source) || !Usable(picture) || destination.width <= 0 || destination.height <= 0 ||
      sourceRect.width <= 0 || sourceRect.height <= 0) {
    return nothing;
  }
  // Only destination pixels inside the picture are visited, so the work is bounded by the picture's size
  // whatever the rectangles say.
  const Span pictureColumns = Inside(destination.x, destination.width, picture.width);
  const Span pictureRows = Inside(destination.y, destination.height, picture.height);
  Span validColumns{};
  Span validRows{};
  const std::vector<std::int64_t> columnMap =
      SampleMap(pictureColumns, sourceRect.x, sourceRect.width, destination.width, source.width, validColumns);
  const std::vector<std::int64_t> rowMap =
      SampleMap(pictureRows, sourceRect.y, sourceRect.height, destination.height, source.height, validRows);
  if (validColumns.begin >= validColumns.end || validRows.begin >= validRows.end) {
    return nothing;
  }
  const std::int64_t firstColumn = destination.x + validColumns.begin;
  const auto rowBytes = static_cast<std::size_t>(validColumns.end - validColumns.begin) * sizeof(std::uint32_t);
  for (std::int64_t i = validRows.begin; i < validRows.end; ++i) {
    const std::int64_t sourceRow = rowMap[static_cast<std::size_t>(i - pictureRows.begin)];
    std::uint32_t* to = PictureRow(picture, destination.y + i);
    // When enlarging, consecutive rows often sample the same source row: copy the row just made.
    if (i > validRows.begin && sourceRow == rowMap[static_cast<std::size_t>(i - 1 - pictureRows.begin)]) {
      std::memcpy(to + firstColumn, PictureRow(picture, destination.y + i - 1) + firstColumn, rowBytes);
      continue;
    }
    const BYTE* from = SourceRow(source, sourceRow);
    for (std::int64_t j = validColumns.begin; j < validColumns.end; ++j) {
      const std::int64_t sourceColumn = columnMap[static_cast<std::size_t>(j - pictureColumns.begin)];
      to[destination.x + j] = ToPicturePixel(from + sourceColumn * 3);
    }
  }
  return Area(destination.x + validColumns.begin, destination.y + validRows.begin, destination.x + validColumns.end,
              destination.y + validRows.end);
}

}  // namespace posix
