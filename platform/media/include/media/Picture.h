#pragma once
// Picture files told apart by their first bytes, and Windows bitmaps (BMP) decoded.
#include <cstddef>
#include <cstdint>

#include "media/Jpeg.h"

namespace media {

enum class PictureFormat { None, Gif, Jpeg, Bmp, Png };

// The format of a picture file from its leading bytes; None when it is none of these (or too short
// to hold the header the format's size is read from).
PictureFormat SniffPicture(const std::uint8_t* data, std::size_t size);

// An uncompressed BMP (1, 4, 8, 24 or 32 bits a pixel, bottom-up or top-down) as an RGB picture;
// media::Error for anything else, cut short, or with a palette index past the palette.
Image DecodeBmp(const std::uint8_t* data, std::size_t size);

}  // namespace media
