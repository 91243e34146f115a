// The desktop's decoders: SDL reads BMP of every depth Windows writes,
// libjpeg reads JPEG. A broken file gives nothing, never half a picture.
#include <SDL.h>
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>

#include "platform/picture_decode.h"

bool DecodeBmpPicture(const std::vector<unsigned char>& data, DecodedPicture& out) {
  SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
  if (!rw) return false;
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (!loaded) return false;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!s) return false;
  DecodedPicture picture;
  picture.width = s->w;
  picture.height = s->h;
  picture.xrgb.resize(static_cast<size_t>(s->w) * s->h);
  for (int y = 0; y < s->h; ++y) {
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < s->w; ++x) picture.xrgb[static_cast<size_t>(y) * s->w + x] = row[x] & 0xFFFFFF;
  }
  SDL_FreeSurface(s);
  out = std::move(picture);
  return true;
}

namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};

void JpegFail(j_common_ptr info) {
  longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}
// Warnings stay quiet, except that data ending before the last pixel (the
// file's end, or the end marker, comes too soon) ends the decoding: a file
// too short for its declared size is refused early.
void JpegWarning(j_common_ptr info, int level) {
  const int code = info->err->msg_code;
  if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) JpegFail(info);
}

}  // namespace

bool DecodeJpegPicture(const std::vector<unsigned char>& data, DecodedPicture& out) {
  jpeg_decompress_struct info{};
  JpegError err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegFail;
  err.mgr.emit_message = JpegWarning;
  // Lives outside the jump so a failure frees it.
  auto* picture = new DecodedPicture;
  std::vector<unsigned char> row;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    delete picture;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), data.size());
  jpeg_read_header(&info, TRUE);
  // Before jpeg_start_decompress, which allocates for the declared size.
  if (!PictureSizeIsSane(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    delete picture;
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (!PictureSizeIsSane(info.output_width, info.output_height) || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    delete picture;
    return false;
  }
  picture->width = static_cast<int>(info.output_width);
  picture->height = static_cast<int>(info.output_height);
  picture->xrgb.resize(static_cast<size_t>(picture->width) * picture->height);
  row.resize(info.output_width * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    size_t y = info.output_scanline;
    jpeg_read_scanlines(&info, rows, 1);
    uint32_t* px = picture->xrgb.data() + y * picture->width;
    for (unsigned x = 0; x < info.output_width; ++x)
      px[x] = row[x * 3] << 16 | row[x * 3 + 1] << 8 | row[x * 3 + 2];
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  out = std::move(*picture);
  delete picture;
  return true;
}
