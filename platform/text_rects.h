// Where text is on a picture, for comparing frames of the desktop and the
// browser, whose text rasterisers differ: while recording is on, every
// Bitmap::TextOut notes the rectangle it drew into, and the rectangles travel
// with the pixels (drawn, stretched, copied or ORed onto another bitmap); an
// opaque picture or fill over a whole bitmap forgets them. Off by default,
// and then it costs one test per drawing call. Not thread-safe: record on one
// thread only.
#pragma once

#include <vector>

class Bitmap;

struct TextRect {
  int left, top, right, bottom;  // right and bottom excluded
  bool operator==(const TextRect&) const = default;
};

void RecordTextRects(bool on);
bool RecordingTextRects();
// The rectangles of text on `bitmap` (clipped to it), oldest first.
std::vector<TextRect> TextRectsOn(const Bitmap& bitmap);

// For the canvas (platform/bitmap.cpp, platform/text.cpp) only; no-ops
// while recording is off.
namespace text_rects {
void Note(const Bitmap& on, TextRect rect);
void Forget(const Bitmap& on);
void Move(const Bitmap& from, const Bitmap& to);  // `to` takes over from's rectangles
void Copy(const Bitmap& from, const Bitmap& to);  // `to` gets a copy of them, its own gone
// Carries from's rectangles inside the source rectangle [sl, sr) x [st, sb)
// onto `to`, scaled into [dl, dr) x [dt, db).
void Carry(const Bitmap& from, int sl, int st, int sr, int sb, const Bitmap& to, int dl, int dt, int dr,
           int db);
}  // namespace text_rects
