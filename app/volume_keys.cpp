// M mutes and unmutes, - and + (or =) step the master volume. The setting is
// shown at once in a small board of its own over the upper right of whatever
// is on screen (the title picture, the shop's panel, the seal box), replaced
// by the next press and fading out after about a second.
#include <algorithm>
#include <string>

#include "app/form.h"
#include "view/panel_shapes.h"

namespace {

constexpr int kShownMs = 1000, kFadeMs = 400;
constexpr int kLevels = 100 / kVolumeStep;  // cells of the level bar
constexpr int kCellWidth = 4, kCellGap = 1, kCellHeight = 8;

// An opaque dark board with light ink reads the same on any picture.
constexpr Rgb kBoard = 0x1A1219;
constexpr Rgb kEdge = 0xE7E3C5;
constexpr Rgb kInk = 0xFFFFFF;
constexpr Rgb kCellOn = 0xFF80C0;
constexpr Rgb kCellOff = 0x4A3547;

// Blends `top` over `below` by `alpha` (0-256).
Rgb Blend(Rgb below, Rgb top, int alpha) {
  Rgb out = 0;
  for (int shift : {0, 8, 16}) {
    int b = (below >> shift) & 0xFF, t = (top >> shift) & 0xFF;
    out |= static_cast<Rgb>((t * alpha + b * (256 - alpha)) >> 8) << shift;
  }
  return out;
}

}  // namespace

bool TForm1::VolumeKey(KeyCode key) {
  GameSettings& s = settings;
  if (key == KeyCode::M) {
    s.muted = !s.muted;
  } else if (key == KeyCode::Minus) {
    s.volume = std::max(0, s.volume - kVolumeStep);
    s.muted = false;
  } else if (key == KeyCode::Plus) {
    s.volume = std::min(100, s.volume + kVolumeStep);
    s.muted = false;
  } else {
    return false;
  }
  platform.SetVolume(EffectiveVolume(s));
  volume_notice.text = s.muted ? "消音" : "音量 " + std::to_string(s.volume) + "%";
  volume_notice.level = s.muted ? 0 : s.volume / kVolumeStep;
  volume_notice.since_ms = platform.NowMs();
  volume_notice.shown = true;
  PresentScene();
  return true;
}

int TForm1::VolumeNoticeAlpha() const {
  if (!volume_notice.shown) return 0;
  uint64_t age = platform.NowMs() - volume_notice.since_ms;
  if (age >= kShownMs + kFadeMs) return 0;
  if (age <= kShownMs) return 256;
  return static_cast<int>(256 - 256 * (age - kShownMs) / kFadeMs);
}

void TForm1::DrawVolumeNotice(Bitmap& frame, int alpha) const {
  const PanelRect& r = kVolumeNoticeBox;
  Bitmap board;
  board.SetSize(r.width, r.height);
  FillPanelRect(board, {0, 0, r.width, r.height}, kBoard);
  OutlinePanelRect(board, {0, 0, r.width, r.height}, kEdge);
  const TFont font = {kGameFace, 9, true, kInk};
  const std::string text = Shown(volume_notice.text);
  board.TextOut(6, (r.height - Bitmap::TextHeight(text, font)) / 2, text, font);
  int cells_left = r.width - 6 - kLevels * (kCellWidth + kCellGap) + kCellGap;
  for (int i = 0; i < kLevels; ++i) {
    int left = cells_left + i * (kCellWidth + kCellGap);
    FillPanelRect(board, {left, (r.height - kCellHeight) / 2, kCellWidth, kCellHeight},
                  i < volume_notice.level ? kCellOn : kCellOff);
  }
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x)
      frame.SetPixel(r.left + x, r.top + y,
                     Blend(frame.Pixel(r.left + x, r.top + y), board.Pixel(x, y), alpha));
}
