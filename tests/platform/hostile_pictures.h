// Building picture files byte by byte for the tests and the bench of hostile
// files: little-endian fields, a small real JPEG, a JPEG whose header
// declares another size than its data holds, and a progressive JPEG with
// one scan repeated.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// After <cstdio>: it uses FILE.
#include <jpeglib.h>

using Bytes = std::vector<unsigned char>;

inline void Le(Bytes& v, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back((x >> (8 * i)) & 0xFF);
}

// A JPEG made by libjpeg: baseline with some detail (a few kilobytes), or
// progressive (10 scans) of one flat grey, whose refinement scans then take
// a few bytes each whatever the picture's size.
inline Bytes EncodeJpeg(int w, int h, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = w;
  info.image_height = h;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(w * 3, 128);
  while (info.next_scanline < info.image_height) {
    for (int i = 0; i < w * 3 && !progressive; ++i)
      row[i] = static_cast<unsigned char>((i * 37 + info.next_scanline * 11) ^ i);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(out, out + size);
  std::free(out);
  return bytes;
}
inline Bytes SmallJpeg(int w, int h) {
  return EncodeJpeg(w, h, false);
}
inline Bytes FlatProgressiveJpeg(int w, int h) {
  return EncodeJpeg(w, h, true);
}

// The frame header (SOF0) patched to declare w x h; false when there is none.
inline bool DeclareJpegSize(Bytes& jpeg, int w, int h) {
  for (size_t i = 2; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = h >> 8, jpeg[i + 6] = h & 0xFF;
      jpeg[i + 7] = w >> 8, jpeg[i + 8] = w & 0xFF;
      return true;
    }
  }
  return false;
}

// The last scan (a refinement scan) written `copies` more times before the
// end marker.
inline Bytes WithLastScanRepeated(const Bytes& jpeg, int copies) {
  size_t last = 0;
  for (size_t i = 2; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) last = i;
  const size_t end = jpeg.size() - 2;
  Bytes out(jpeg.begin(), jpeg.begin() + end);
  for (int c = 0; c < copies; ++c) out.insert(out.end(), jpeg.begin() + last, jpeg.begin() + end);
  out.push_back(0xFF);
  out.push_back(0xD9);
  return out;
}
