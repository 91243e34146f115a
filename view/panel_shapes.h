// Rectangles of the game's own boards (the item panel, the dialogs) and the
// few shapes they are drawn with.
#pragma once

#include "platform/bitmap.h"

struct PanelRect {
  int left, top, width, height;  // scene pixels
  bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
};

inline void FillPanelRect(Bitmap& canvas, const PanelRect& r, Rgb color) {
  canvas.FillRect(r.left, r.top, r.Right(), r.Bottom(), color);
}

// A one-pixel frame around the rectangle.
inline void OutlinePanelRect(Bitmap& canvas, const PanelRect& r, Rgb color) {
  canvas.Rectangle(r.left, r.top, r.Right(), r.Bottom(), {color, 1}, kNoBrush);
}
