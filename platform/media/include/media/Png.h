#pragma once
// PNG files of 8-bit RGB pictures (via libpng).
#include <cstdint>
#include <vector>

#include "media/Jpeg.h"

namespace media {

std::vector<std::uint8_t> EncodePng(const Image& image);
// Any colour type and depth is read as 8-bit RGB (an alpha channel is dropped); media::Error
// for data that is no PNG or is cut short.
Image DecodePng(const std::uint8_t* data, std::size_t size);

}  // namespace media
