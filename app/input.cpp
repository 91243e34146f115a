// Where clicks, mouse moves and keys go: the title clicks, the choice labels,
// click waits, and picking and sticking seals around the seal box.
#include "app/form.h"

void TForm1::cgMouseDown(int x, int y) {
  mouse_x = x;
  mouse_y = y;
  if (screen_phase == ScreenPhase::TitlePicture) {
    PlaySound(0, "start.wav");
    screen_phase = ScreenPhase::TitleScreen;
    LoadScenePicture("title.bmp");
    // No frame is rendered yet, so the title screen goes straight onto cg.
    cg.CopyRect(0, 0, kSceneWidth, kSceneHeight, haikei, 0, 0, 195, 130);
    platform.Present(cg);
    return;
  }
  if (screen_phase == ScreenPhase::TitleScreen) {
    choices_visible = true;
    screen_phase = ScreenPhase::Menu;
    PlaySound(3, "start2.wav");
    LoadScenePicture("login.bmp");
    return;
  }
  if (LanguageButtonHit(x, y)) {
    ToggleLanguage();
    return;
  }
  AcknowledgeClick();
  if (seal_box_mode == SealBoxMode::Collection) {
    PlaySound(0, "4.wav");
    seal_box_state = SealBoxState::SlidingOut;
    seal_box_mode = SealBoxMode::CollectionClosing;
  } else if (seal_box_state == SealBoxState::Open) {
    // The margin left of and above the grid belongs to the first cell.
    int column = (x - 20) / 30, row = (y - 20) / 30;
    bool inside = column >= 0 && column < kSealBoxColumns && row >= 0 && row < kSealBoxRows;
    current_seal = inside ? seal_box_grid[column][row] : 0;
    if (current_seal != 0) {
      LoadSealPicture(goods_table[current_seal].picture);
      PrintMessage("【" + goods_table[current_seal].name + "】を取った、どこに貼ろっかな");
      seal_box_state = SealBoxState::SlidingOut;
    }
  } else if (seal_box_state == SealBoxState::SealHeld && seal_box_mode == SealBoxMode::Picker) {
    // Only the picker carries a seal; the closing collection passes through
    // SealHeld for one frame and must not stick anything.
    PlaySound(0, "point.wav");
    seal_x = mouse_x;
    seal_y = mouse_y;
    PrintMessage("【" + goods_table[current_seal].name + "】を貼った");
    PrintMessage("");
    seal_box_state = SealBoxState::SealStuck;
    game.StickSeal(current_seal, seal_x, seal_y, picture_slots[kPackageSlot].Width(),
                   picture_slots[kPackageSlot].Height());
  }
}

void TForm1::cgMouseMove(int x, int y) {
  hovered_choice = 0;
  mouse_x = x;
  mouse_y = y;
}

void TForm1::selMouseMove(int n) {
  if (!PastTitle(screen_phase) || !choices_active) return;
  if (hovered_choice != n && !choice_text[n - 1].empty()) PlaySound(0, "key.wav");
  hovered_choice = n;
}

void TForm1::selMouseDown(int n) {
  if (!PastTitle(screen_phase)) return;
  AcknowledgeClick();
  if (!choices_active || choice_text[n - 1].empty()) return;
  PlaySound(4, "pi.wav");
  choice_pressed[n - 1] = 1;
  choices_active = false;
  game.Choose(choice_command[n - 1]);
}

void TForm1::FormKeyDown(KeyCode key) {
  if (key != KeyCode::Enter) return;
  PlaySound(0, "1.wav");
  bool erase = AskYesNo("ピコラッテ",
                        "【!!】全てのゲームデータを完全初期化しますがよろしいですか？\n"
                        "(※この初期化は、クリア回数やエンディングデータなど全てを初期化するものです。)");
  if (erase) game.FullReset();
}
