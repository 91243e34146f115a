// The message log that floats up the lower left of the scene, and the choice
// prompt at the lower right.
#include <string>
#include <utility>
#include <vector>

#include "app/form.h"
#include "game/random.h"
#include "view/text_boxes.h"

void TForm1::AddEffect(int x, int y, const std::string& text, EffectKind kind, Ink ink) {
  effect_next += 1;
  if (effect_next >= kEffectRing) effect_next = 0;
  FloatingText& effect = effects[effect_next];
  effect = FloatingText{};
  effect.age = 1;
  effect.x = effect.start_x = x;
  effect.y = effect.start_y = y;
  effect.kind = kind;
  effect.ink = ink;
  effect.text = text;
}

// A new line pushes every line of the log up by one line height.
static void PushLogUp(TForm1& form) {
  for (int i = 0; i < kEffectRing; ++i)
    if (form.effects[i].kind == EffectKind::Line) form.effects[i].age += 12;
}

// Adds a line to the log in the language it is read in; one wider than the
// scene goes on in a second line, broken where its language breaks.
void TForm1::AddLogLine(const std::string& text, Ink ink) {
  std::vector<std::string> lines = {text};
  if (Bitmap::TextWidth(text, kMessageLine.font) > kMessageLine.box.width)
    lines = WrapText(text, kMessageLine.box.width, kMessageLine.font);
  for (const std::string& line : lines) {
    AddEffect(5, 245, line, EffectKind::Line, ink);
    PushLogUp(*this);
  }
}

void TForm1::PrintMessage(const std::string& text) {
  if (click_wait == ClickWait::Closing) return;
  PlaySound(Random(2) != 0 ? 3 : 4, "moji.wav");
  AddLogLine(Shown(text), Ink::Plain);
}

void TForm1::PrintColorMessage(const std::string& text, Ink ink) {
  if (click_wait == ClickWait::Closing) return;
  PlaySound(Random(2) != 0 ? 0 : 4, "moji.wav");
  AddLogLine(Shown(text), ink);
}

void TForm1::OfferChoices(Command first, Command second, Command third) {
  choice_command = {first, second, third};
  for (int n = 0; n < 3; ++n) choice_text[n] = CommandLabel(choice_command[n]);
  choice_pressed = {0, 0, 0};
  choice_slide = -200;
  choices_active = true;
}
