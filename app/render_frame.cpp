// One frame of the scene: first every animation moves on by a step, then the
// picture layers are painted from back to front, the choice labels, the
// floating texts, the seal box, the light layer and the status panel; the
// item panel covers everything while the evening shop is open.
#include "app/form.h"
#include "view/draw.h"

namespace {

// An unscaled copy that ignores the picture's transparent colour.
void DrawOpaque(Bitmap& canvas, int x, int y, const Bitmap& picture) {
  canvas.CopyRect(x, y, x + picture.Width(), y + picture.Height(), picture, 0, 0, picture.Width(),
                  picture.Height());
}

}  // namespace

const titem* TForm1::GoodsOnCounter() const {
  return current_goods >= 0 && current_goods < kGoodsCount ? &goods_table[current_goods] : nullptr;
}

void TForm1::UpdateFrame() {
  UpdateChoices(*this);
  UpdateEffects(*this);
  language_button_drawn = LanguageButtonShown();
  if (seal_box_state != SealBoxState::Closed) UpdateSealBox();
  if (screen_phase == ScreenPhase::Playing) UpdateStatusPanel(*this, my, GoodsOnCounter());
}

void TForm1::RenderFrame(Bitmap& cg, Bitmap& bak, LitAreas& lit) const {
  DrawOpaque(cg, 0, 0, picture_slots[kSceneSlot]);  // the background

  // Customer: twice as wide as the picture, 150 pixels high, centred.
  const Bitmap& customer = picture_slots[kCustomerSlot];
  int w = customer.Width();
  if (w > 0) cg.StretchDraw(195 - w, 0, 195 + w, 150, customer);

  if (shop_front_shown) {
    cg.Draw(0, 100, picture_slots[kFrontMidSlot]);
    cg.Draw(260, 0, picture_slots[kFrontRightSlot]);
    // The counter, opaque; whatever lies below the scene is clipped.
    DrawOpaque(cg, 0, 150, picture_slots[kCounterSlot]);
  }

  // Package: a square of twice the picture's width centred at (195, 170).
  const Bitmap& package = picture_slots[kPackageSlot];
  w = package.Width();
  if (w > 0) cg.StretchDraw(195 - w, 170 - w, 195 + w, 170 + w, package);

  // The light layer starts black every frame: only what the hearts lit
  // last frame needs clearing.
  if (lit.everywhere) {
    bak.FillRect(-1, -1, 401, 301, 0x000000);
  } else {
    for (const auto& [left, top, right, bottom] : lit.areas) bak.FillRect(left, top, right, bottom, 0x000000);
  }
  lit.areas.clear();
  lit.everywhere = false;

  const TranslateText shown = Translator();
  DrawChoices(cg, *this, picture_slots[kMarkerSlot], shown);
  DrawLanguageButton(cg);
  DrawEffects(cg, bak, lit, *this, shown);
  if (seal_box_state != SealBoxState::Closed) DrawSealBox(cg);

  // OR with black changes nothing, so the lit areas are all there is to add.
  if (lit.everywhere) {
    cg.OrRect(0, 0, 400, 300, bak);
  } else {
    for (const auto& [left, top, right, bottom] : lit.areas) cg.OrRect(left, top, right, bottom, bak);
  }

  if (screen_phase == ScreenPhase::Playing) DrawStatusPanel(cg, *this, my, GoodsOnCounter(), shown);
  if (item_box.visible) DrawItemPanel(cg);
}
