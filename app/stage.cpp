// The window as the stage of the shop day: each operation the game asks for
// becomes the scene's pictures, the message log, the choice labels, the seal
// box, the item panel, the save files.
#include <string>

#include "app/form.h"

namespace {

// The message log's kind for each ink.
int KindOf(Ink ink) {
  switch (ink) {
    case Ink::Plain:
      return kKindMessage;
    case Ink::Green:
      return 301;
    case Ink::Yellow:
      return 302;
    case Ink::Blue:
      return 303;
    case Ink::Pink:
      return 304;
    case Ink::Red:
      return 307;
    case Ink::Yellow2:
      return 308;
    case Ink::Pink2:
      return 310;
  }
  return kKindMessage;
}

}  // namespace

void TForm1::Line(const std::string& text, Ink ink) {
  if (ink == Ink::Plain) {
    PrintMessage(text);
  } else {
    PrintColorMessage(text, KindOf(ink));
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
  goods_card_state = 2;  // the goods card slides out
  seal_box_state = SealBoxState::Closed;
}

void TForm1::Hearts(int x, int y) {
  AddEffect(x, y, "", kKindHeart);
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
