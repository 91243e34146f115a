// One frame of the scene: the picture layers from back to front, the choice
// labels, the floating texts, the seal box, the light layer and the status
// panel; the item panel covers everything while the evening shop is open.
#include "app/form.h"

namespace {

// An unscaled copy that ignores the picture's transparent colour.
void DrawOpaque(Bitmap& canvas, int x, int y, Bitmap& picture) {
  bool transparent = picture.transparent;
  picture.transparent = false;
  canvas.Draw(x, y, picture);
  picture.transparent = transparent;
}

}  // namespace

void TForm1::RenderFrame() {
  DrawOpaque(cg, 0, 0, picture_slots[kSceneSlot]);  // the background

  // Customer: twice as wide as the picture, 150 pixels high, centred.
  const Bitmap& customer = picture_slots[kCustomerSlot];
  int w = customer.Width();
  if (w > 0) cg.StretchDraw(195 - w, 0, 195 + w, 150, customer);

  if (shop_front_shown == 1) {
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
  bak.pen_color = 0x000000;
  bak.brush_color = 0x000000;
  bak.brush_clear = false;
  if (light_everywhere) {
    bak.FillRect(-1, -1, 401, 301);
  } else {
    for (const auto& [left, top, right, bottom] : light_areas) bak.FillRect(left, top, right, bottom);
  }
  light_areas.clear();
  light_everywhere = false;

  cg.pen_color = 0x000000;
  cg.brush_color = 0x000000;
  cg.brush_clear = true;

  DrawChoices();
  DrawLanguageButton();
  DrawEffects();
  if (seal_box_state >= 1) DrawSealBox();

  // OR with black changes nothing, so the lit areas are all there is to add.
  if (light_everywhere) {
    cg.OrRect(0, 0, 400, 300, bak);
  } else {
    for (const auto& [left, top, right, bottom] : light_areas) cg.OrRect(left, top, right, bottom, bak);
  }

  if (screen_phase >= 1) DrawStatusPanel();
  if (item_box.visible) DrawItemPanel();
}
