// The rectangles of text per bitmap, kept only while recording.
#include "platform/text_rects.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "platform/bitmap.h"

namespace {

bool g_recording = false;

std::unordered_map<const Bitmap*, std::vector<TextRect>>& Rects() {
  static auto* rects = new std::unordered_map<const Bitmap*, std::vector<TextRect>>;
  return *rects;
}

// Clipped to the bitmap; false when nothing is left.
bool ClipTo(const Bitmap& b, TextRect& r) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, b.Width());
  r.bottom = std::min(r.bottom, b.Height());
  return r.left < r.right && r.top < r.bottom;
}

// The destination coordinate of source coordinate v on a scaled axis;
// `up` rounds away from the start so that a rectangle's far edge stays covered.
int Scale(int v, int s0, int s1, int d0, int d1, bool up) {
  int64_t num = static_cast<int64_t>(v - s0) * (d1 - d0);
  int64_t den = s1 - s0;
  int64_t q = num / den;
  if (up && q * den != num) ++q;
  return d0 + static_cast<int>(q);
}

}  // namespace

void RecordTextRects(bool on) {
  g_recording = on;
  if (!on) Rects().clear();
}

bool RecordingTextRects() {
  return g_recording;
}

std::vector<TextRect> TextRectsOn(const Bitmap& bitmap) {
  auto it = Rects().find(&bitmap);
  return it == Rects().end() ? std::vector<TextRect>{} : it->second;
}

namespace text_rects {

void Note(const Bitmap& on, TextRect rect) {
  if (g_recording && ClipTo(on, rect)) Rects()[&on].push_back(rect);
}

void Forget(const Bitmap& on) {
  if (g_recording) Rects().erase(&on);
}

void Move(const Bitmap& from, const Bitmap& to) {
  if (!g_recording || &from == &to) return;
  auto it = Rects().find(&from);
  if (it == Rects().end()) {
    Rects().erase(&to);
    return;
  }
  std::vector<TextRect> moved = std::move(it->second);
  Rects().erase(it);
  Rects()[&to] = std::move(moved);
}

void Copy(const Bitmap& from, const Bitmap& to) {
  if (!g_recording || &from == &to) return;
  auto it = Rects().find(&from);
  if (it == Rects().end()) {
    Rects().erase(&to);
    return;
  }
  std::vector<TextRect> copy = it->second;
  Rects()[&to] = std::move(copy);
}

void Carry(const Bitmap& from, int sl, int st, int sr, int sb, const Bitmap& to, int dl, int dt, int dr,
           int db) {
  if (!g_recording || sr <= sl || sb <= st || dr <= dl || db <= dt) return;
  auto it = Rects().find(&from);
  if (it == Rects().end()) return;
  std::vector<TextRect> carried;
  for (const TextRect& r : it->second) {
    int l = std::max(r.left, sl), t = std::max(r.top, st), rr = std::min(r.right, sr),
        b = std::min(r.bottom, sb);
    if (l >= rr || t >= b) continue;
    TextRect out{Scale(l, sl, sr, dl, dr, false), Scale(t, st, sb, dt, db, false),
                 Scale(rr, sl, sr, dl, dr, true), Scale(b, st, sb, dt, db, true)};
    if (ClipTo(to, out)) carried.push_back(out);
  }
  auto& target = Rects()[&to];
  target.insert(target.end(), carried.begin(), carried.end());
}

}  // namespace text_rects
