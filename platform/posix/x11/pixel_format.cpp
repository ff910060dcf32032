#include "platform/posix/x11/pixel_format.h"

namespace posix::x11 {
namespace {

constexpr bool kHostIsBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;

// A usable channel mask is one run of set bits: `shift` is where it starts, `bits` how long it is.
bool ChannelRun(std::uint32_t mask, int& shift, int& bits) {
  if (mask == 0) {
    return false;
  }
  shift = __builtin_ctz(mask);
  const std::uint64_t run = mask >> shift;
  if ((run & (run + 1)) != 0) {
    return false;
  }
  bits = __builtin_popcount(mask);
  return true;
}

// Scales each 8-bit level to the channel's width (rounding to the nearest level) and moves it into place.
bool FillChannelTable(std::uint32_t mask, std::array<std::uint32_t, 256>& table) {
  int shift = 0;
  int bits = 0;
  if (!ChannelRun(mask, shift, bits)) {
    return false;
  }
  const std::uint64_t top = (std::uint64_t{1} << bits) - 1;
  for (std::uint64_t level = 0; level < 256; ++level) {
    table[level] = static_cast<std::uint32_t>(((level * top + 127) / 255) << shift);
  }
  return true;
}

template <int Bytes, bool MostSignificantFirst>
void StorePixel(std::uint8_t* dest, std::uint32_t value) {
  for (int i = 0; i < Bytes; ++i) {
    const int byteIndex = MostSignificantFirst ? Bytes - 1 - i : i;
    dest[i] = static_cast<std::uint8_t>(value >> (8 * byteIndex));
  }
}

}  // namespace

bool IsPictureLayout(const PixelFormat& format) {
  return format.bitsPerPixel == 32 && format.redMask == 0xFF0000u && format.greenMask == 0x00FF00u &&
         format.blueMask == 0x0000FFu && format.fillMask == 0 &&
         format.mostSignificantByteFirst == kHostIsBigEndian;
}

PixelConverter::PixelConverter(const PixelFormat& format)
    : fill_(format.fillMask),
      bytesPerPixel_(format.bitsPerPixel / 8),
      mostSignificantByteFirst_(format.mostSignificantByteFirst) {
  const bool knownSize = format.bitsPerPixel == 8 || format.bitsPerPixel == 16 || format.bitsPerPixel == 24 ||
                         format.bitsPerPixel == 32;
  const std::uint32_t channels = format.redMask | format.greenMask | format.blueMask;
  const bool disjoint = (format.redMask & format.greenMask) == 0 && (format.redMask & format.blueMask) == 0 &&
                        (format.greenMask & format.blueMask) == 0 && (channels & format.fillMask) == 0;
  const bool fits = format.bitsPerPixel == 32 || ((channels | format.fillMask) >> format.bitsPerPixel) == 0;
  supported_ = knownSize && disjoint && fits && FillChannelTable(format.redMask, red_) &&
               FillChannelTable(format.greenMask, green_) && FillChannelTable(format.blueMask, blue_);
}

std::uint32_t PixelConverter::Convert(std::uint32_t rgb) const {
  return red_[(rgb >> 16) & 0xFF] | green_[(rgb >> 8) & 0xFF] | blue_[rgb & 0xFF] | fill_;
}

namespace {

template <int Bytes, bool MostSignificantFirst>
void ConvertRows(const PixelConverter& converter, const WindowPicture& picture, const RECT& area,
                 std::uint8_t* dest, std::size_t destBytesPerLine) {
  const int width = area.right - area.left;
  for (int y = area.top; y < area.bottom; ++y) {
    const std::uint32_t* source = picture.pixels + static_cast<std::size_t>(y) * picture.stride + area.left;
    std::uint8_t* out = dest + static_cast<std::size_t>(y) * destBytesPerLine +
                        static_cast<std::size_t>(area.left) * Bytes;
    for (int x = 0; x < width; ++x) {
      StorePixel<Bytes, MostSignificantFirst>(out, converter.Convert(source[x]));
      out += Bytes;
    }
  }
}

template <int Bytes>
void ConvertRowsInOrder(bool mostSignificantFirst, const PixelConverter& converter, const WindowPicture& picture,
                        const RECT& area, std::uint8_t* dest, std::size_t destBytesPerLine) {
  if (mostSignificantFirst) {
    ConvertRows<Bytes, true>(converter, picture, area, dest, destBytesPerLine);
  } else {
    ConvertRows<Bytes, false>(converter, picture, area, dest, destBytesPerLine);
  }
}

}  // namespace

void PixelConverter::ConvertArea(const WindowPicture& picture, const RECT& area, std::uint8_t* dest,
                                 std::size_t destBytesPerLine) const {
  if (!supported_ || area.right <= area.left || area.bottom <= area.top) {
    return;
  }
  switch (bytesPerPixel_) {
    case 1:
      ConvertRowsInOrder<1>(mostSignificantByteFirst_, *this, picture, area, dest, destBytesPerLine);
      break;
    case 2:
      ConvertRowsInOrder<2>(mostSignificantByteFirst_, *this, picture, area, dest, destBytesPerLine);
      break;
    case 3:
      ConvertRowsInOrder<3>(mostSignificantByteFirst_, *this, picture, area, dest, destBytesPerLine);
      break;
    default:
      ConvertRowsInOrder<4>(mostSignificantByteFirst_, *this, picture, area, dest, destBytesPerLine);
      break;
  }
}

}  // namespace posix::x11
