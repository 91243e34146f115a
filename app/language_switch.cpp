// The language switch: a small labelled button on the title menu, the L key,
// and what changing the language does (the shown texts from the next frame
// on, the window's caption at once).
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/form.h"
#include "files/regular_file.h"

namespace {

// Top left of the title menu, clear of the choices.
constexpr int kButtonLeft = 4, kButtonTop = 4, kButtonWidth = 58, kButtonHeight = 17;
constexpr size_t kMaxCatalogueBytes = 4 << 20;

// Each language is named in itself, so that a player who reads only that
// one finds it.
const char* SwitchLabel(Language now) {
  return now == Language::Japanese ? "English" : "日本語";
}

}  // namespace

void TForm1::UseLanguage(Language language) {
  settings.language = language;
  TCatalogue catalogue;
  std::string file = CatalogueFile(language);
  if (!file.empty()) {
    std::string bytes, why;
    int error = ReadRegularFile(DatPath(file), bytes, kMaxCatalogueBytes);
    if (error != 0 || !catalogue.Load(bytes, why)) {
      std::fprintf(stderr, "picolatte: the %s texts (%s) cannot be read: %s; the game stays Japanese\n",
                   LanguageCode(language), DatPath(file).c_str(),
                   error != 0 ? std::strerror(error) : why.c_str());
    }
  }
  lang.SetCatalogue(std::move(catalogue));
  lang.Select(language);
  if (created) platform.SetCaption(Shown(kWindowCaption));
}

void TForm1::ToggleLanguage() {
  PlaySound(0, "key.wav");
  UseLanguage(settings.language == Language::Japanese ? Language::English : Language::Japanese);
}

bool TForm1::LanguageButtonShown() const {
  // The title menu waiting for a choice; no click wait is running.
  return screen_phase == ScreenPhase::Menu && choices_active && click_wait != ClickWait::Waiting &&
         seal_box_state == SealBoxState::Closed && !item_box.visible;
}

bool TForm1::LanguageButtonHit(int x, int y) const {
  return LanguageButtonShown() && x >= kButtonLeft && x < kButtonLeft + kButtonWidth && y >= kButtonTop &&
         y < kButtonTop + kButtonHeight;
}

void TForm1::DrawLanguageButton(Bitmap& cg) const {
  if (!language_button_drawn) return;
  bool hover = mouse_x >= kButtonLeft && mouse_x < kButtonLeft + kButtonWidth && mouse_y >= kButtonTop &&
               mouse_y < kButtonTop + kButtonHeight;
  const Brush face = {hover ? 0xBB3377u : 0x552255u, false};
  cg.Rectangle(kButtonLeft, kButtonTop, kButtonLeft + kButtonWidth, kButtonTop + kButtonHeight, {0xFFFFFF, 1},
               face);
  const TFont font = {kGameFace, 9, true, 0xFFFFFF};
  const char* label = SwitchLabel(settings.language);
  cg.TextOut(kButtonLeft + (kButtonWidth - Bitmap::TextWidth(label, font)) / 2,
             kButtonTop + (kButtonHeight - Bitmap::TextHeight(label, font)) / 2, label, font);
}
