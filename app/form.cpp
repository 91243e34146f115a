// The window's life: start-up, closing, destruction.
#include "app/form.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "game/random.h"
#include "sound/mixer/mixer.h"

namespace {

// Pictures every start needs, by slot.
constexpr const char* kSlotFiles[] = {
    "box.bmp",      "girl00.bmp", "haikei.bmp", "key01.bmp",     "seal01.bmp",
    "seal_box.bmp", "00.bmp",     "front2.bmp", "front_mid.bmp", "front3.bmp",
};

}  // namespace

TForm1::TForm1(Platform& p) : TForm1(p, PortablePaths(p.BaseDir())) {}

TForm1::TForm1(Platform& p, GamePaths game_paths) : platform(p), paths(std::move(game_paths)) {
  CreateSoundMixer();
}

TForm1::~TForm1() = default;

std::string TForm1::CgPath(const std::string& name) const {
  return paths.cg + name;
}
std::string TForm1::DatPath(const std::string& name) const {
  return paths.dat + name;
}

bool TForm1::FormCreate() {
  UseLanguage(settings.language);
  // Nothing is composed before the title, not even behind a start-up error.
  screen_phase = ScreenPhase::TitlePicture;
  OpenSoundSlots();
  SeedRandom(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));

  Bitmap base;
  if (!base.LoadFromFile(CgPath("00.bmp"))) {
    ShowError("ピコラッテ", "絵が読めません: " + CgPath("00.bmp"));
    return false;
  }
  cg.SetSize(kSceneWidth, kSceneHeight);
  cg.Draw(0, 0, base);
  bak.SetSize(kSceneWidth, kSceneHeight);
  click_wait = ClickWait::Idle;

  if (!LoadProgress()) return false;

  frame_interval_ms = 90;
  screen_phase = ScreenPhase::TitlePicture;

  for (int slot = 0; slot < kPictureSlots; ++slot) {
    Bitmap& b = picture_slots[slot];
    if (slot < static_cast<int>(std::size(kSlotFiles)) && !b.LoadFromFile(CgPath(kSlotFiles[slot]))) {
      ShowError("ピコラッテ", "絵が読めません: " + CgPath(kSlotFiles[slot]));
      return false;
    }
    b.transparent = true;
    b.auto_key = true;
  }
  picture_slots[kFrontMidSlot].auto_key = false;
  picture_slots[kFrontMidSlot].key_color = 0x000000;

  game.NewGame();

  // The title: a random article or material, drawn huge in the middle.
  bool any_item = false;
  for (const titem& item : goods_table) any_item = any_item || (!item.name.empty() && item.kind == kKindItem);
  if (any_item) {
    int n;
    do {
      n = Random(999);
    } while (goods_table[n].name.empty() || goods_table[n].kind != kKindItem);
    LoadPackagePicture(goods_table[n].picture);
    int w = picture_slots[kPackageSlot].Width();
    cg.StretchDraw(195 - w, 100 - w, 195 + w, 100 + w, picture_slots[kPackageSlot]);
  }

  status_slide = -200;
  choice_slide = -200;
  choices_active = true;
  choice_command = {game.TitleChoiceOne(), Command::About, Command::Start};
  for (int n = 0; n < 3; ++n) choice_text[n] = CommandLabel(choice_command[n]);
  platform.SetCaption(Shown(kWindowCaption));
  platform.Present(cg);
  created = true;
  return true;
}

void TForm1::FormClose() {
  click_wait = ClickWait::Closing;
  const bool first = !closing;
  closing = true;
  // A start-up that failed leaves the saved progress as it found it. While
  // the board of a failed save is up, a close or a signal answers it.
  if (created) SaveProgress();
  if (first) {
    // From now on a further interrupt or termination signal ends the program
    // straight away, even while a step runs on to its end.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
  }
}

void TForm1::EndProcessNow() {
  std::fflush(nullptr);
  std::_Exit(0);
}

void TForm1::FormDestroy() {
  for (Bitmap& b : picture_slots) b.Clear();
  FreeSoundSlots();
}
