// The window as the stage of the shop day: each operation the game asks for
// becomes the scene's pictures, the message log, the choice labels, the seal
// box, the item panel, the save files.
#include <string>

#include "app/form.h"

void TForm1::Line(const std::string& text, Ink ink) {
  if (ink == Ink::Plain) {
    PrintMessage(text);
  } else {
    PrintColorMessage(text, ink);
  }
}

void TForm1::Offer(Command first, Command second, Command third) {
  OfferChoices(first, second, third);
}

void TForm1::ShowScene(const std::string& picture) {
  LoadScenePicture(picture);
}

void TForm1::ShowShopFront() {
  ShowShopScene();
}

void TForm1::ShowCustomer(const std::string& picture) {
  LoadCustomerPicture(picture);
}

void TForm1::ShowPackage(const std::string& picture) {
  LoadPackagePicture(picture);
}

void TForm1::ShowGoods(int goods) {
  goods_card_slide = 100;  // the goods card slides in from the right
  LoadPackagePicture(goods_table[goods].picture);
}

void TForm1::ClearCounter() {
  goods_card_state = GoodsCard::SlidingOut;
  seal_box_state = SealBoxState::Closed;
}

void TForm1::Hearts(int x, int y) {
  AddEffect(x, y, "", EffectKind::Heart);
}

void TForm1::Playing(bool on) {
  screen_phase = on ? ScreenPhase::Playing : ScreenPhase::Menu;
}

// Clears the floating texts and hearts and the status panel's eased bars.
void TForm1::ClearLog() {
  effect_next = 0;
  effects.fill(FloatingText{});
  shown_satisfaction = 0;
  shown_hours = 0;
  goods_card_slide = 0;
}

void TForm1::Sound(int channel, const std::string& name) {
  PlaySound(channel, name);
}

void TForm1::Save() {
  SaveProgress();
}

void TForm1::Close() {
  FormClose();
}
