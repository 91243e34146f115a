// The item panel that covers the scene while the evening shop is open: the
// detail text with the goods' picture, the money, the list of goods and the
// two buttons. Drawn by the game itself over the finished frame.
#include <algorithm>
#include <string>
#include <vector>

#include "app/form.h"
#include "view/panel_shapes.h"
#include "view/text_boxes.h"
#include "view/text_wrap.h"

namespace {

using Box = PanelRect;

constexpr Box kDetailBox = {4, 4, 213, 177};
constexpr Box kMoneyBox = {4, 184, 213, 17};
constexpr Box kListBox = {220, 8, 165, 252};
constexpr Box kActionButton = {4, 204, 213, 25};
constexpr Box kCloseButton = {4, 232, 213, 25};
constexpr int kPictureLeft = 188, kPictureTop = 152;
constexpr int kRowHeight = 14;
constexpr int kVisibleRows = kListBox.height / kRowHeight;  // 18
constexpr int kScrollBarWidth = 8;

constexpr Rgb kLabelBack = 0x291D28;
constexpr Rgb kMoneyText = 0xFF80FF;
constexpr Rgb kListBack = 0x171116;
constexpr Rgb kListText = 0xEBE9BE;
constexpr Rgb kListHover = 0x2A1F29;
constexpr Rgb kListSelected = 0x6B3563;
constexpr Rgb kFrame = 0x4A3547;

// Button captions and the money line.
const TFont kCaptionFont = {kGameFace, 10, true, 0xFFFFFF};
const TFont kMoneyFont = {kGameFace, 10, true, kMoneyText};

void HorizontalLine(Bitmap& canvas, int left, int right, int y, Rgb color) {
  canvas.Line(left, y, right, y, {color, 1});
}

void VerticalLine(Bitmap& canvas, int x, int top, int bottom, Rgb color) {
  canvas.Line(x, top, x, bottom, {color, 1});
}

// A bevelled button; it lights up under the mouse and sinks while held.
void DrawButton(Bitmap& canvas, const Box& box, const std::string& caption, bool hover, bool held) {
  Rgb face = held ? 0x3E2A3C : hover ? 0x7A5576 : 0x5E425B;
  Rgb light = held ? 0x231722 : 0xA3819F;
  Rgb dark = held ? 0x8A6886 : 0x1E141D;
  FillPanelRect(canvas, box, face);
  HorizontalLine(canvas, box.left, box.Right(), box.top, light);
  VerticalLine(canvas, box.left, box.top, box.Bottom(), light);
  HorizontalLine(canvas, box.left, box.Right(), box.Bottom() - 1, dark);
  VerticalLine(canvas, box.Right() - 1, box.top, box.Bottom(), dark);
  int w = Bitmap::TextWidth(caption, kCaptionFont);
  int h = Bitmap::TextHeight(caption, kCaptionFont);
  int shift = held ? 1 : 0;
  canvas.TextOut(box.left + (box.width - w) / 2 + shift, box.top + (box.height - h) / 2 + shift, caption,
                 kCaptionFont);
}

// Shortens an entry that does not fit the list with an ellipsis.
std::string FitWidth(const std::string& text, int width, const TFont& font) {
  if (Bitmap::TextWidth(text, font) <= width) return text;
  std::vector<std::string> chars = SplitCharacters(text);
  while (!chars.empty()) {
    chars.pop_back();
    std::string shorter;
    for (const std::string& c : chars) shorter += c;
    shorter += "…";
    if (Bitmap::TextWidth(shorter, font) <= width) return shorter;
  }
  return "";
}

// One entry in its row: a long name smaller, longer still narrowed, and
// beyond kItemListNarrowest percent shortened with an ellipsis.
void DrawEntry(Bitmap& canvas, const std::string& text, const Box& row, Rgb back, Rgb color) {
  TFont font = kItemListEntry.font;
  font.color = color;
  if (Bitmap::TextWidth(text, font) > row.width) {
    int size = FittingSize(text, {{row.width, 1}, font}, kItemListSmallest);
    font.size = size ? size : kItemListSmallest;
  }
  int w = Bitmap::TextWidth(text, font);
  if (w > row.width && w * kItemListNarrowest / 100 <= row.width) {
    Bitmap strip(w, row.height);
    FillPanelRect(strip, {0, 0, w, row.height}, back);
    strip.TextOut(0, (row.height - Bitmap::TextHeight(text, font)) / 2, text, font);
    canvas.CopyRect(row.left, row.top, row.Right(), row.Bottom(), strip, 0, 0, w, row.height);
    return;
  }
  std::string shown = FitWidth(text, row.width, font);
  canvas.TextOut(row.left, row.top + (row.height - Bitmap::TextHeight(shown, font)) / 2, shown, font);
}

bool Scrollable(const TItemPanel& panel) {
  return static_cast<int>(panel.entries.size()) > kVisibleRows;
}

int MaxTop(const TItemPanel& panel) {
  return std::max(0, static_cast<int>(panel.entries.size()) - kVisibleRows);
}

// Scrolls so that the selected entry is in view.
void RevealSelection(TItemPanel& panel) {
  if (panel.selected >= 0) {
    if (panel.selected < panel.top) panel.top = panel.selected;
    if (panel.selected >= panel.top + kVisibleRows) panel.top = panel.selected - kVisibleRows + 1;
  }
  panel.top = std::clamp(panel.top, 0, MaxTop(panel));
}

struct Thumb {
  int top, bottom;
};

Thumb ScrollThumb(const TItemPanel& panel) {
  int count = static_cast<int>(panel.entries.size());
  int length = std::max(16, kListBox.height * kVisibleRows / std::max(count, 1));
  int travel = kListBox.height - length;
  int top = kListBox.top + (MaxTop(panel) > 0 ? travel * panel.top / MaxTop(panel) : 0);
  return {top, top + length};
}

// Draws the list as it stands; scrolling follows the selection where the
// selection moves, not here.
void DrawList(Bitmap& canvas, const TItemPanel& panel, int mouse_x, int mouse_y, const TTranslator& lang) {
  FillPanelRect(canvas, kListBox, kListBack);
  bool scroll = Scrollable(panel);
  int text_right = kListBox.Right() - (scroll ? kScrollBarWidth : 0);

  int hovered = -1;
  if (kListBox.Contains(mouse_x, mouse_y) && mouse_x < text_right) {
    hovered = panel.top + (mouse_y - kListBox.top) / kRowHeight;
  }
  int count = static_cast<int>(panel.entries.size());
  for (int row = 0; row < kVisibleRows && panel.top + row < count; ++row) {
    int index = panel.top + row;
    int y = kListBox.top + row * kRowHeight;
    Box band = {kListBox.left, y, text_right - kListBox.left, kRowHeight};
    bool selected = index == panel.selected;
    if (selected) {
      FillPanelRect(canvas, band, kListSelected);
    } else if (index == hovered) {
      FillPanelRect(canvas, band, kListHover);
    }
    const std::string text = lang.Shown(panel.entries[index]);
    if (text.empty()) continue;
    Rgb back = selected ? kListSelected : index == hovered ? kListHover : kListBack;
    DrawEntry(canvas, text, {band.left + 3, y, band.width - 6, kRowHeight}, back,
              selected ? 0xFFFFFF : kListText);
  }

  if (scroll) {
    Box track = {text_right, kListBox.top, kScrollBarWidth, kListBox.height};
    FillPanelRect(canvas, track, 0x221A21);
    Thumb thumb = ScrollThumb(panel);
    FillPanelRect(canvas, {text_right + 1, thumb.top, kScrollBarWidth - 2, thumb.bottom - thumb.top},
                  0x7A5576);
  }
  OutlinePanelRect(canvas, {kListBox.left - 1, kListBox.top - 1, kListBox.width + 2, kListBox.height + 1},
                   kFrame);
}

}  // namespace

void TForm1::DrawItemPanel(Bitmap& cg) const {
  const TItemPanel& panel = item_box;
  // The detail text only changes on a selection, so its lines are kept.
  TItemPanel::Wrapped& wrap_cache = panel.wrapped;
  cg.FillRect(0, 0, kSceneWidth, kSceneHeight, 0x000000);

  // Detail text.
  FillPanelRect(cg, kDetailBox, kLabelBack);
  OutlinePanelRect(cg, kDetailBox, kFrame);
  const TFont& detail_font = kItemDetail.font;
  const std::string detail = Shown(panel.detail);
  if (wrap_cache.text != detail || wrap_cache.size != detail_font.size) {
    wrap_cache.text = detail;
    wrap_cache.size = detail_font.size;
    wrap_cache.lines = WrapText(detail, kDetailBox.width - 10, detail_font);
  }
  int line_height = std::max(Bitmap::TextHeight("あ", detail_font) + 1, 13);
  int y = kDetailBox.top + 5;
  for (const std::string& line : wrap_cache.lines) {
    if (y + line_height > kDetailBox.Bottom()) break;
    cg.TextOut(kDetailBox.left + 5, y, line, detail_font);
    y += line_height;
  }
  if (!item_box_cg.Empty()) cg.Draw(kPictureLeft, kPictureTop, item_box_cg);

  // Money.
  FillPanelRect(cg, kMoneyBox, kLabelBack);
  std::string money = Shown(std::to_string(my.money) + "円");
  cg.TextOut(kMoneyBox.left + (kMoneyBox.width - Bitmap::TextWidth(money, kMoneyFont)) / 2,
             kMoneyBox.top + (kMoneyBox.height - Bitmap::TextHeight(money, kMoneyFont)) / 2, money,
             kMoneyFont);

  DrawList(cg, panel, mouse_x, mouse_y, lang);

  DrawButton(cg, kActionButton, Shown(panel.action_caption), kActionButton.Contains(mouse_x, mouse_y),
             panel.pressed == PanelPress::Action && kActionButton.Contains(mouse_x, mouse_y));
  DrawButton(cg, kCloseButton, Shown("閉じる"), kCloseButton.Contains(mouse_x, mouse_y),
             panel.pressed == PanelPress::Close && kCloseButton.Contains(mouse_x, mouse_y));
}

void TForm1::ItemPanelMouseDown(int x, int y) {
  // A click on the panel also ends a pending wait, so that a step that
  // waits while the shop is open can never leave the player stuck.
  AcknowledgeClick();
  TItemPanel& panel = item_box;
  mouse_x = x;
  mouse_y = y;
  panel.pressed = PanelPress::None;
  if (kListBox.Contains(x, y)) {
    if (Scrollable(panel) && x >= kListBox.Right() - kScrollBarWidth) {
      // A click on the bar turns a page toward it.
      panel.pressed = PanelPress::ScrollBar;
      Thumb thumb = ScrollThumb(panel);
      if (y < thumb.top) panel.top -= kVisibleRows - 1;
      if (y >= thumb.bottom) panel.top += kVisibleRows - 1;
      panel.top = std::clamp(panel.top, 0, MaxTop(panel));
      return;
    }
    panel.pressed = PanelPress::List;
    int index = panel.top + (y - kListBox.top) / kRowHeight;
    if (index < static_cast<int>(panel.entries.size())) panel.selected = index;
    ShowItemDetail();
  } else if (kActionButton.Contains(x, y)) {
    panel.pressed = PanelPress::Action;
  } else if (kCloseButton.Contains(x, y)) {
    panel.pressed = PanelPress::Close;
  }
}

void TForm1::ItemPanelMouseUp(int x, int y) {
  TItemPanel& panel = item_box;
  mouse_x = x;
  mouse_y = y;
  PanelPress pressed = panel.pressed;
  panel.pressed = PanelPress::None;
  if (pressed == PanelPress::List) {
    ShowItemDetail();
  } else if (pressed == PanelPress::Action && kActionButton.Contains(x, y)) {
    if (panel.action_caption == "買う") BuySelected();
  } else if (pressed == PanelPress::Close && kCloseButton.Contains(x, y)) {
    CloseItemPanel();
  }
}

void TForm1::ItemPanelKey(KeyCode key, bool down) {
  TItemPanel& panel = item_box;
  int count = static_cast<int>(panel.entries.size());
  if (down && count > 0) {
    int& sel = panel.selected;
    switch (key) {
      case KeyCode::Up:
      case KeyCode::Left:
        sel = sel <= 0 ? 0 : sel - 1;
        break;
      case KeyCode::Down:
      case KeyCode::Right:
        sel = sel < 0 ? 0 : std::min(sel + 1, count - 1);
        break;
      case KeyCode::Home:
        sel = 0;
        break;
      case KeyCode::End:
        sel = count - 1;
        break;
      case KeyCode::PageUp:
        sel = std::max(sel - (kVisibleRows - 1), 0);
        break;
      case KeyCode::PageDown:
        sel = sel < 0 ? 0 : std::min(sel + kVisibleRows - 1, count - 1);
        break;
      default:
        break;
    }
    RevealSelection(panel);
  }
  ShowItemDetail();
}
