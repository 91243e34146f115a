// One frame of the scene: the picture layers from back to front, the choice
// labels, the floating texts, the seal box, the light layer and the status
// panel; the item panel covers everything while the evening shop is open.
#include <algorithm>

#include "app/form.h"

void TForm1::RenderFrame() {
  // Background, opaque and unscaled.
  Bitmap& back = picture_slots[6];
  cg.CopyRect(0, 0, back.Width(), back.Height(), back, 0, 0, back.Width(), back.Height());

  // Customer: twice as wide as the picture, 150 pixels high, centred.
  const Bitmap& customer = picture_slots[1];
  int w = customer.Width();
  if (w > 0) cg.StretchDraw(195 - w, 0, 195 + w, 150, customer);

  if (shop_front_shown == 1) {
    cg.Draw(0, 100, picture_slots[8]);
    cg.Draw(260, 0, picture_slots[9]);
    // The counter is copied opaque; whatever lies below the scene is clipped.
    const Bitmap& counter = picture_slots[7];
    int cw = std::min(counter.Width(), kSceneWidth);
    int ch = std::min(counter.Height(), kSceneHeight);
    if (cw > 0 && ch > 0) cg.CopyRect(0, 150, cw, 150 + ch, counter, 0, 0, cw, ch);
  }

  // Package: a square of twice the picture's width centred at (195, 170).
  const Bitmap& package = picture_slots[3];
  w = package.Width();
  if (w > 0) cg.StretchDraw(195 - w, 170 - w, 195 + w, 170 + w, package);

  // The light layer starts black every frame.
  bak.pen_color = 0x000000;
  bak.brush_color = 0x000000;
  bak.brush_clear = false;
  bak.FillRect(-1, -1, 401, 301);

  cg.pen_color = 0x000000;
  cg.brush_color = 0x000000;
  cg.brush_clear = true;

  DrawChoices();
  DrawEffects();
  if (seal_box_state >= 1) DrawSealBox();

  cg.OrRect(0, 0, 400, 300, bak);

  if (screen_phase >= 1) DrawStatusPanel();
  if (item_box.visible) DrawItemPanel();
}
