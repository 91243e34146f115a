// A form on the headless platform with a small picture folder of its own:
// every picture is a plain colour block whose bottom-left pixel is the
// transparent magenta, so tests can tell the layers apart by colour.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/form.h"
#include "content/tables.h"
#include "game/random.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace fixture {

inline constexpr Rgb kKey = 0xFF00FF;

// Colours of the fixture's pictures.
inline constexpr Rgb kMarker = 0x00FF00;
inline constexpr Rgb kBackground = 0x102030;
inline constexpr Rgb kCustomer = 0xC00000;
inline constexpr Rgb kPackage = 0x0000C0;
inline constexpr Rgb kSeal = 0xE0E000;
inline constexpr Rgb kBox = 0x604020;
inline constexpr Rgb kCounter = 0x40C0C0;
inline constexpr Rgb kFrontMid = 0x808000;
inline constexpr Rgb kFrontRight = 0x008080;

// A w x h block of `color` with the key colour in its bottom-left pixel.
inline Bitmap Block(int w, int h, Rgb color, Rgb corner = kKey) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, color);
  b.SetPixel(0, h - 1, corner);
  return b;
}

inline int CountColor(const Bitmap& b, Rgb color, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += b.Pixel(x, y) == color;
  return n;
}

// Pixels in the area that are not `background`.
inline int CountOther(const Bitmap& b, Rgb background, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += b.Pixel(x, y) != background;
  return n;
}

// Every Random(n) answers `value` while it is alive.
struct FixedRandom {
  explicit FixedRandom(int value) {
    SetRandomScript([value](int) { return value; });
  }
  ~FixedRandom() { SetRandomScript(nullptr); }
};

class FormTest : public ::testing::Test {
 protected:
  std::filesystem::path dir;
  std::unique_ptr<HeadlessPlatform> platform;
  std::unique_ptr<TForm1> form;
  std::vector<std::pair<int, std::string>> sounds;  // every sound played, with its channel

  void SetUp() override {
    static int serial = 0;
    dir = std::filesystem::temp_directory_path() /
          ("picolatte_view_" + std::to_string(getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(dir / "cg");
    std::filesystem::create_directories(dir / "dat");
    Save("box.bmp", Block(12, 12, kMarker));
    Save("girl00.bmp", Block(20, 30, kCustomer));
    Save("girl.bmp", Block(20, 30, kCustomer));
    Save("haikei.bmp", Block(8, 8, 0x777777));
    Save("key01.bmp", Block(10, 10, kPackage));
    Save("seal01.bmp", Block(16, 16, kSeal));
    Save("seal_box.bmp", Block(390, 260, kBox, 0x000001));
    Save("00.bmp", Block(390, 260, kBackground));
    Save("front2.bmp", Block(390, 110, kCounter));
    Save("front_mid.bmp", Block(60, 40, kFrontMid, 0x000000));
    Save("front3.bmp", Block(40, 60, kFrontRight));
    Save("not.bmp", Block(1, 1, kKey));
    Save("haikei2.bmp", Block(195, 130, 0x203040));

    platform = std::make_unique<HeadlessPlatform>(dir.string() + "/");
    form = std::make_unique<TForm1>(*platform);
    form->on_play_sound = [this](int channel, const std::string& name) {
      sounds.emplace_back(channel, name);
    };
    FillGoodsTable(form->goods_table);
    FillCustomerTable(form->customer_table);
    // Every goods picture exists, in a colour of its own number.
    for (int g = 0; g < kGoodsCount; ++g) {
      const titem& item = form->goods_table[g];
      if (!item.picture.empty() && !std::filesystem::exists(dir / "cg" / item.picture))
        Save(item.picture, Block(14, 14, 0x100000 + static_cast<Rgb>(g)));
    }

    form->cg.SetSize(kSceneWidth, kSceneHeight);
    form->bak.SetSize(kSceneWidth, kSceneHeight);
    const char* slots[] = {"box.bmp",      "girl00.bmp", "haikei.bmp", "key01.bmp",     "seal01.bmp",
                           "seal_box.bmp", "00.bmp",     "front2.bmp", "front_mid.bmp", "front3.bmp"};
    for (int s = 0; s < 10; ++s) ASSERT_TRUE(form->LoadSlot(s, Cg(slots[s]))) << slots[s];
    form->picture_slots[8].auto_key = false;
    form->picture_slots[8].key_color = 0x000000;
    form->click_wait = ClickWait::Idle;
    form->screen_phase = ScreenPhase::Playing;
  }

  void TearDown() override {
    form.reset();
    platform.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  std::string Cg(const std::string& name) const { return (dir / "cg" / name).string(); }

  void Save(const std::string& name, const Bitmap& b) const { ASSERT_TRUE(b.SaveToBmp(Cg(name))); }

  // One frame as the frame tick runs it.
  void Frame() {
    form->frame_counter = (form->frame_counter + 1) % 1000;
    form->UpdateFrame();
    form->RenderFrame(form->cg, form->bak, form->lit);
    form->ClampState();
  }

  // Whether `step` played the sound `name` on `channel`.
  template <typename Step>
  bool Plays(int channel, const std::string& name, Step step) {
    sounds.clear();
    step();
    for (const auto& [c, n] : sounds)
      if (c == channel && n == name) return true;
    return false;
  }

  void BlackScene() {
    form->cg.brush_clear = false;
    form->cg.brush_color = 0x000000;
    form->cg.FillRect(0, 0, kSceneWidth, kSceneHeight);
  }
};

}  // namespace fixture
