// The browser's decoders: stb_image reads BMP (1 to 32 bits) and JPEG.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

#include "platform/picture_decode.h"

namespace {

bool Decode(const std::vector<unsigned char>& data, DecodedPicture& out) {
  if (data.size() > 0x7FFFFFFF) return false;
  int w = 0, h = 0, channels = 0;
  // The declared size first: nothing is allocated for an absurd one.
  if (!stbi_info_from_memory(data.data(), static_cast<int>(data.size()), &w, &h, &channels) ||
      !PictureSizeIsSane(w, h))
    return false;
  stbi_uc* rgb = stbi_load_from_memory(data.data(), static_cast<int>(data.size()), &w, &h, &channels, 3);
  if (!rgb) return false;
  if (!PictureSizeIsSane(w, h)) {
    stbi_image_free(rgb);
    return false;
  }
  DecodedPicture picture;
  picture.width = w;
  picture.height = h;
  picture.xrgb.resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < picture.xrgb.size(); ++i)
    picture.xrgb[i] = uint32_t{rgb[i * 3]} << 16 | uint32_t{rgb[i * 3 + 1]} << 8 | rgb[i * 3 + 2];
  stbi_image_free(rgb);
  out = std::move(picture);
  return true;
}

}  // namespace

bool DecodeBmpPicture(const std::vector<unsigned char>& data, DecodedPicture& out) {
  return Decode(data, out);
}

bool DecodeJpegPicture(const std::vector<unsigned char>& data, DecodedPicture& out) {
  return Decode(data, out);
}
