// The seal box: it slides in from the right as the picker of held seals or
// as the viewer of the collection, and names the seal under the pointer.
#include <string>
#include <vector>

#include "app/form.h"
#include "view/text_boxes.h"

namespace {

constexpr int kColumns = 10;
constexpr int kRows = 23;  // rows kept per column
constexpr int kCapacity = kColumns * kRows;
constexpr int kCell = 30;
constexpr int kMargin = 20;
constexpr int kOutside = 390;  // box just beyond the right edge

// The cell's label shimmers with the frame counter.
constexpr Rgb kLabelCycle[4] = {0xFFBBEE, 0xFFCCFF, 0xFFDDFF, 0xFFCCFF};

}  // namespace

void TForm1::OpenSealBox(SealBoxUse use, const std::vector<int>& seals) {
  seal_box_x = kOutside;
  seal_box_state = SealBoxState::SlidingIn;
  if (use == SealBoxUse::Collection) seal_box_mode = SealBoxMode::Collection;
  seal_box_grid = {};
  LoadSlot(kBoxSlot, CgPath("seal_box.bmp"));
  seal_box_count = 0;
  for (int goods : seals) AddSealToBox(goods);
}

void TForm1::AddSealToBox(int goods) {
  // The box has room for 230 seals; any further ones are left out.
  if (seal_box_count < 0 || seal_box_count >= kCapacity) return;
  int column = seal_box_count % kColumns;
  int row = seal_box_count / kColumns;
  seal_box_grid[column][row] = goods;
  // A picture that cannot be read shows the previous seal instead.
  LoadSlot(kSealSlot, CgPath(goods_table[goods].picture));
  picture_slots[kBoxSlot].Draw(kMargin + kCell * column, kMargin + kCell * row, picture_slots[kSealSlot]);
  ++seal_box_count;
}

void TForm1::UpdateSealBox() {
  if (seal_box_state == SealBoxState::SlidingIn) {
    if (seal_box_x > 0) seal_box_x -= seal_box_x / 2 + 1;
    if (seal_box_x <= 0) seal_box_state = SealBoxState::Open;
  }
  if (seal_box_state == SealBoxState::SlidingOut) {
    // The collection eases out; the picker is gone at once.
    if (seal_box_x < kOutside && seal_box_mode == SealBoxMode::CollectionClosing)
      seal_box_x += (kOutside - seal_box_x) / 2 + 1;
    if (seal_box_x < kOutside && seal_box_mode == SealBoxMode::Picker) seal_box_x += kOutside + 1;
    if (seal_box_x >= kOutside) seal_box_state = SealBoxState::SealHeld;
  }
  if (seal_box_state == SealBoxState::SealHeld && seal_box_mode == SealBoxMode::CollectionClosing) {
    // The collection has left: back to the title menu.
    seal_box_mode = SealBoxMode::Picker;
    seal_box_state = SealBoxState::Closed;
    Silence();
    OfferChoices(Command::Collection, Command::About, Command::Start);
  }
}

void TForm1::DrawSealBox(Bitmap& cg) const {
  if (SealBoxInView(seal_box_state)) cg.Draw(seal_box_x, 0, picture_slots[kBoxSlot]);
  const Bitmap& seal = picture_slots[kSealSlot];
  int w = seal.Width();
  if (seal_box_state == SealBoxState::SealHeld)
    cg.StretchDraw(mouse_x - w, mouse_y - w, mouse_x + w, mouse_y + w, seal);
  if (seal_box_state == SealBoxState::SealStuck)
    cg.StretchDraw(seal_x - w, seal_y - w, seal_x + w, seal_y + w, seal);

  // Name of the cell under the pointer, centred on the cell.
  int column = (mouse_x - kMargin) / kCell;
  int row = (mouse_y - kMargin) / kCell;
  int goods = 0;
  if (column >= 0 && column < kSealBoxColumns && row >= 0 && row < kSealBoxRows) {
    goods = seal_box_grid[column][row];
  }
  const titem& item = goods_table[goods >= 0 && goods < kGoodsCount ? goods : 0];
  const TFont cell_font = {kGameFace, 7, true, kLabelCycle[frame_counter % 4]};
  const std::string name = Shown(item.name);
  if (!name.empty()) {
    int tw = Bitmap::TextWidth(name, cell_font);
    int th = Bitmap::TextHeight(name, cell_font);
    cg.TextOut(kCell * column + 33 - tw / 2, kCell * row + 14 - th / 2, name, cell_font);
  }
  if (seal_box_mode == SealBoxMode::Collection && !name.empty()) {
    cg.TextOut(20, 210, name, kCollectionName.font);
    cg.TextOut(20, 225, Shown(item.description), kCollectionDescription.font);
  }
}
