// Tile by tile comparison with a copy of the frame last shown.
#include "platform/frame_diff.h"

#include <algorithm>
#include <cstring>

bool FrameDiff::RowChanged(const uint32_t* row, int y, int from, int to) const {
  return std::memcmp(row + from, shown_.data() + static_cast<size_t>(y) * width_ + from,
                     static_cast<size_t>(to - from) * sizeof(uint32_t)) != 0;
}

const std::vector<SceneRect>& FrameDiff::Update(const uint32_t* pixels, int pitch, int width, int height) {
  rects_.clear();
  if (!pixels || width <= 0 || height <= 0) return rects_;
  auto row_at = [&](int y) {
    return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(pixels) +
                                             static_cast<size_t>(y) * pitch);
  };
  if (!valid_ || width != width_ || height != height_) {
    width_ = width;
    height_ = height;
    shown_.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
      std::memcpy(&shown_[static_cast<size_t>(y) * width], row_at(y), width * 4);
    valid_ = true;
    rects_.push_back({0, 0, width, height});
    return rects_;
  }

  const int cols = (width + kTileWidth - 1) / kTileWidth;
  const int rows = (height + kTileHeight - 1) / kTileHeight;
  dirty_.assign(static_cast<size_t>(cols) * rows, 0);
  bool any = false;
  for (int tr = 0; tr < rows; ++tr) {
    uint8_t* mark = &dirty_[static_cast<size_t>(tr) * cols];
    const int top = tr * kTileHeight, bottom = std::min(top + kTileHeight, height);
    for (int tc = 0; tc < cols; ++tc) {
      const int from = tc * kTileWidth, to = std::min(from + kTileWidth, width);
      for (int y = top; y < bottom; ++y) {
        if (!RowChanged(row_at(y), y, from, to)) continue;
        mark[tc] = 1;
        any = true;
        for (int yy = top; yy < bottom; ++yy)
          std::memcpy(&shown_[static_cast<size_t>(yy) * width + from], row_at(yy) + from, (to - from) * 4);
        break;
      }
    }
  }
  if (!any) return rects_;

  // Runs of dirty tiles, each grown downward while the next tile row has
  // a run over exactly the same columns.
  std::vector<int> open;  // rects_ index of the run ending at the tile row above, per starting column
  std::vector<int> next(cols, -1);
  open.assign(cols, -1);
  for (int tr = 0; tr < rows; ++tr) {
    const uint8_t* mark = &dirty_[static_cast<size_t>(tr) * cols];
    std::fill(next.begin(), next.end(), -1);
    const int top = tr * kTileHeight, h = std::min(kTileHeight, height - top);
    for (int tc = 0; tc < cols;) {
      if (!mark[tc]) {
        ++tc;
        continue;
      }
      int end = tc;
      while (end < cols && mark[end]) ++end;
      const int x = tc * kTileWidth, w = std::min(end * kTileWidth, width) - x;
      int above = open[tc];
      if (above >= 0 && rects_[above].w == w) {
        rects_[above].h += h;
        next[tc] = above;
      } else {
        rects_.push_back({x, top, w, h});
        next[tc] = static_cast<int>(rects_.size()) - 1;
      }
      tc = end;
    }
    std::swap(open, next);
  }
  return rects_;
}
