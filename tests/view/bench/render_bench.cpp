// How long one frame of a busy scene takes: every picture layer, choices
// with the click hint, 45 message lines, 5 heart bursts, the open seal box
// and the status panel with its goods card. Prints the median and more, in
// CPU time of the rendering thread, so that other work on a busy machine
// does not count.
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/form.h"
#include "content/tables.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace {

Bitmap Block(int w, int h, Rgb color) {
  Bitmap b(w, h);
  b.brush_color = color;
  b.FillRect(0, 0, w, h);
  b.SetPixel(0, h - 1, 0xFF00FF);
  b.transparent = true;
  return b;
}

void Prepare(TForm1& form) {
  FillGoodsTable(form.goods_table);
  form.cg.SetSize(kSceneWidth, kSceneHeight);
  form.bak.SetSize(kSceneWidth, kSceneHeight);
  const std::pair<int, Bitmap> slots[] = {
      {0, Block(12, 12, 0x00FF00)},   {1, Block(60, 75, 0xC08080)},   {3, Block(40, 40, 0x4040C0)},
      {4, Block(16, 16, 0xE0E000)},   {5, Block(390, 260, 0x604020)}, {6, Block(390, 260, 0x102030)},
      {7, Block(390, 110, 0x40C0C0)}, {8, Block(100, 50, 0x808000)},  {9, Block(130, 150, 0x008080)},
  };
  for (const auto& [slot, picture] : slots) form.picture_slots[slot] = picture;

  form.screen_phase = ScreenPhase::Playing;
  form.click_wait = ClickWait::Waiting;
  form.shop_front_shown = true;
  form.choice_text = {"断る", "包む", "シール"};
  form.choices_active = true;
  form.hovered_choice = 2;
  form.status_slide = 0;
  form.my.clerk_level = 3;
  form.my.hours_to_closing = 7;
  form.my.satisfaction = 64;
  form.my.money = 123456;
  form.my.day = 12;
  form.current_goods = 31;
  form.goods_card_state = GoodsCard::In;

  // The seal box open, with forty seals drawn in.
  form.seal_box_state = SealBoxState::Open;
  form.seal_box_x = 0;
  for (int i = 0; i < 40; ++i) {
    form.seal_box_grid[i % 10][i / 10] = 100 + i;
    form.picture_slots[5].Draw(20 + 30 * (i % 10), 20 + 30 * (i / 10), form.picture_slots[4]);
  }
  form.seal_box_count = 40;
  form.mouse_x = 95;
  form.mouse_y = 65;

  const Ink inks[] = {Ink::Plain, Ink::Green, Ink::Yellow,  Ink::Blue,
                      Ink::Pink,  Ink::Red,   Ink::Yellow2, Ink::Pink2};
  // The ring is full: lines, then five hearts in its last places.
  static_assert(kEffectRing == 50);
  for (int i = 0; i < 45; ++i) {
    form.effects[i].kind = EffectKind::Line;
    form.effects[i].ink = inks[i % 8];
    form.effects[i].text = "お客さんが来たよ、ようこそいらっしゃいませ " + std::to_string(i);
    form.effects[i].x = 5;
    form.effects[i].y = 245;
  }
  for (int i = 45; i < 50; ++i) {
    form.effects[i].kind = EffectKind::Heart;
    form.effects[i].x = 60 + 60 * (i - 45);
    form.effects[i].y = 160;
  }
}

// FNV-1a over the scene's pixels: the same figure before and after a change
// to the drawing code says no pixel moved.
uint64_t Fold(uint64_t hash, const Bitmap& scene) {
  for (int y = 0; y < scene.Height(); ++y)
    for (int x = 0; x < scene.Width(); ++x) hash = (hash ^ scene.Pixel(x, y)) * 0x100000001B3ull;
  return hash;
}

double ThreadCpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Ages that keep every effect alive and spread over the scene.
void Rewind(TForm1& form, int frame) {
  for (int i = 0; i < 45; ++i) form.effects[i].age = 1 + 5 * i;
  for (int i = 45; i < 50; ++i) form.effects[i].age = 1 + (frame + 4 * i) % 19;
  form.choice_slide = -200 + (frame % 8) * 25;
}

}  // namespace

int main() {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "picolatte_render_bench";
  std::filesystem::create_directories(dir);
  HeadlessPlatform platform(dir.string() + "/");
  TForm1 form(platform);
  Prepare(form);

  constexpr int kWarmup = 50, kFrames = 2000;
  std::vector<double> times;
  times.reserve(kFrames);
  uint64_t checksum = 0xCBF29CE484222325ull;
  for (int frame = 0; frame < kWarmup + kFrames; ++frame) {
    Rewind(form, frame);
    form.frame_counter = frame % 1000;
    double start = ThreadCpuMs();
    form.UpdateFrame();
    form.RenderFrame(form.cg, form.bak, form.lit);
    double end = ThreadCpuMs();
    if (frame >= kWarmup) times.push_back(end - start);
    if (frame % 97 == 0) checksum = Fold(checksum, form.cg);
  }
  std::sort(times.begin(), times.end());
  auto at = [&](double q) { return times[static_cast<size_t>(q * (times.size() - 1))]; };
  std::printf(
      "render_bench: %d frames of a busy scene (45 message lines, 5 heart bursts, all layers,\n"
      "  seal box open, status panel with goods card)\n",
      kFrames);
  std::printf("  median %.3f ms CPU per frame, 10%% %.3f ms, 90%% %.3f ms, max %.3f ms\n", at(0.5), at(0.1),
              at(0.9), times.back());
  std::printf("  pixels of every 97th frame: checksum %016llx\n", static_cast<unsigned long long>(checksum));
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return 0;
}
