// The three choice labels sliding in from the right with their marker, and
// the "-CLICK HERE-" hint that slides in once a choice has been taken.
#include <array>
#include <cstdlib>
#include <string>

#include "view/draw.h"

namespace {

// White pulsing to pink and back, one step per frame.
constexpr std::array<Rgb, 12> kChoiceCycle = {
    0xFFFFFF, 0xFFEEEE, 0xFFDDEE, 0xFFCCDD, 0xFFBBDD, 0xFF99CC,
    0xFF77BB, 0xFF99CC, 0xFFBBDD, 0xFFCCDD, 0xFFDDEE, 0xFFEEEE,
};

// The labels and the hint, in the colour of the frame's step of the cycle.
TFont ChoiceFont(Rgb color) {
  return {kGameFace, 10, true, color};
}

// Labels ease toward 0 while they can be taken and out to -160 after.
int EaseChoiceSlide(int x, bool active) {
  if (x < 0 && active) x = x + (-x) / 2 + 1;
  if (x > -160 && !active) x = x - (160 - std::abs(x)) / 2 - 1;
  return x;
}

}  // namespace

void UpdateChoices(TSceneVars& scene) {
  scene.choice_slide = EaseChoiceSlide(scene.choice_slide, scene.choices_active);
  // The press animation only counts; the label itself does not change.
  for (int n = 0; n < 3; ++n) {
    int& pressed = scene.choice_pressed[n];
    if (scene.choice_text[n].empty()) continue;
    if (pressed >= 1 && scene.frame_counter % 2 == 0) {
      if (++pressed > 8) pressed = 0;
    }
  }
}

void DrawChoices(Bitmap& cg, const TSceneVars& scene, const Bitmap& marker, const TranslateText& shown) {
  const int x = scene.choice_slide;
  const TFont font = ChoiceFont(kChoiceCycle[scene.frame_counter % 12]);
  int d = 3 * std::abs(x / 3);

  for (int n = 0; n < 3; ++n) {
    const std::string& text = scene.choice_text[n];
    if (text.empty()) continue;
    int left = kChoiceLeft - 2 * x;
    if (scene.hovered_choice == n + 1) left -= 10;
    int top = kChoiceTop[n];
    cg.Draw(left - 7 - d, top - 14, marker);
    // Only the label is translated: the text stays the command.
    const std::string label = shown(text);
    int h = Bitmap::TextHeight(label, font);
    cg.TextOut(left + 25, top + 14 - h / 2, label, font);
  }

  if (scene.screen_phase != ScreenPhase::Menu && scene.click_wait == ClickWait::Waiting) {
    cg.TextOut(435 + x, 245, "-CLICK HERE-", font);
  }
}
