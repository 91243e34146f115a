// Which parts of the scene changed since the frame last shown, so the window
// is redrawn only where the picture moved, and not at all when nothing did.
// Plain pixels in, rectangles out: no window involved.
//
//   FrameDiff diff;
//   const auto& rects = diff.Update(pixels, pitch, w, h);  // empty: nothing to show
//   diff.Invalidate();  // the window lost its pixels: the next frame is shown whole
#pragma once

#include <cstdint>
#include <vector>

struct SceneRect {
  int x = 0, y = 0, w = 0, h = 0;  // scene pixels
};

class FrameDiff {
 public:
  // The scene is compared in tiles of this size; a changed pixel marks its
  // tile. Tiles in a row join into runs, runs of the same columns in
  // consecutive tile rows into one rectangle.
  static constexpr int kTileWidth = 32;
  static constexpr int kTileHeight = 16;

  // Compares the frame (width x height words, `pitch` bytes a row; the top
  // byte of each word is ignored) with the one last shown, takes it as shown
  // and returns the rectangles that cover every changed pixel: none when the
  // frame is unchanged, the whole frame after Invalidate or a size change.
  const std::vector<SceneRect>& Update(const uint32_t* pixels, int pitch, int width, int height);

  // Forget the frame last shown: the next Update returns the whole frame.
  void Invalidate() { valid_ = false; }

  // The frame last shown (width x height words, row by row); empty before
  // the first Update.
  const std::vector<uint32_t>& shown() const { return shown_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  bool RowChanged(const uint32_t* row, int y, int from, int to) const;

  bool valid_ = false;
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> shown_;  // the frame last shown, width_ words a row
  std::vector<uint8_t> dirty_;   // one per tile, by tile row
  std::vector<SceneRect> rects_;
};
