// What the scene shows: the floating texts, the choice labels, the seal box,
// the status panel's animations, the item panel, and where the mouse is.
// Plain data: the window's input and its update step write it, the Draw*
// functions read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/progress.h"
#include "game/stage.h"
#include "platform/bitmap.h"

inline constexpr int kEffectRing = 50;  // floating texts and hearts, reused in turn

// Picture slots with a role in the scene (the rest are spare).
inline constexpr int kPictureSlots = 20;
inline constexpr int kMarkerSlot = 0;  // beside each choice label
inline constexpr int kCustomerSlot = 1;
inline constexpr int kPackageSlot = 3;  // the goods on the counter, and the title picture
inline constexpr int kSealSlot = 4;
inline constexpr int kBoxSlot = 5;         // the seal box
inline constexpr int kSceneSlot = 6;       // the background
inline constexpr int kCounterSlot = 7;     // shop front: the counter
inline constexpr int kFrontMidSlot = 8;    // shop front: the middle, black is see-through
inline constexpr int kFrontRightSlot = 9;  // shop front: the right

// Click areas of the three choice labels (left, top; 133 x 29 each).
inline constexpr int kChoiceLeft = 256;
inline constexpr std::array<int, 3> kChoiceTop = {176, 204, 232};
inline constexpr int kChoiceWidth = 133;
inline constexpr int kChoiceHeight = 29;

// What an entry of the effect ring holds.
enum class EffectKind { None, Line, Heart };

// A message line rising up the lower left, or a burst of hearts.
struct FloatingText {
  EffectKind kind = EffectKind::None;
  Ink ink = Ink::Plain;  // a line's colour
  std::string text;
  int32_t x = 0, y = 0;
  int32_t start_x = 0, start_y = 0;
  int32_t age = 0;          // frames and pushes; 0 or -1 = finished
  bool last_frame = false;  // drawn once more, then finished
};

inline constexpr int kSealBoxColumns = 22;  // storage; 10 are used
inline constexpr int kSealBoxRows = 24;

// Where the mouse button went down on the item panel and is still held.
enum class PanelPress { None, Action, Close, List, ScrollBar };

// What the item panel holds while it is open (the evening shop).
struct TItemPanel {
  bool visible = false;
  std::string detail;                // item_l, word-wrapped; "\r" breaks lines
  std::string action_caption;        // item_b: "買う" in the shop
  std::vector<std::string> entries;  // item_list; "" = sold out
  int selected = -1;                 // index in entries, -1 = none
  int top = 0;                       // first visible entry when scrolled
  std::string picture;               // file shown in item_box_cg, "" = none
  PanelPress pressed = PanelPress::None;
  // The detail as drawn, cut into lines once for the text and size it was
  // cut from (measuring text every frame is slow).
  mutable struct Wrapped {
    std::string text;
    int size = -1;  // points
    std::vector<std::string> lines;
  } wrapped;
};

// Where the window is: the two title clicks, then the title menu, then a
// game (the shop day with its status panel).
enum class ScreenPhase { TitlePicture, TitleScreen, Menu, Playing };

// Past the two title clicks: the scene is composed every frame.
inline bool PastTitle(ScreenPhase phase) {
  return phase == ScreenPhase::Menu || phase == ScreenPhase::Playing;
}

// The seal box, from closed round to closed again. The picker slides in,
// waits for a pick, slides out, and then the picked seal follows the pointer
// until it is stuck on the package; the collection slides in, waits for a
// click, slides out and closes.
enum class SealBoxState { Closed, SlidingIn, Open, SlidingOut, SealHeld, SealStuck };

// The box itself is in the scene (the seal alone is not).
inline bool SealBoxInView(SealBoxState state) {
  return state != SealBoxState::SealHeld && state != SealBoxState::SealStuck;
}

// What the seal box is for while it is out: picking a held seal, or looking
// at the collection, which goes back to the title menu once it has slid out.
enum class SealBoxMode { Picker, Collection, CollectionClosing };

// The goods card beside the status panel: none, in (sliding in with each
// customer and staying), or sliding out after the visit.
enum class GoodsCard { None, In, SlidingOut };

// Whether the game waits for a click to go on. Once the window is closing
// every wait is skipped.
enum class ClickWait { Waiting, Idle, Closing };

// The scene and input variables.
struct TSceneVars {
  ScreenPhase screen_phase = ScreenPhase::Menu;
  ClickWait click_wait = ClickWait::Waiting;
  int32_t frame_counter = 0;  // 0-999, wrapping
  int32_t frames_this_second = 0;
  int32_t frame_interval_ms = 0;   // adapted to about 10 frames a second
  uint64_t next_frame_time = 0;    // clock ms
  uint64_t next_readout_time = 0;  // clock ms
  int32_t hovered_choice = 0;      // 0-3
  int32_t mouse_x = 0, mouse_y = 0;
  bool choices_visible = false;  // sel1-sel3 shown (after the title clicks)

  std::array<Command, 3> choice_command{};
  std::array<std::string, 3> choice_text;  // their labels
  bool choices_active = false;             // the labels answer clicks
  int32_t choice_slide = 0;  // pixels, -200 when offered
  std::array<int32_t, 3> choice_pressed{};

  int32_t effect_next = 0;  // 0-49, the entry written last
  std::array<FloatingText, kEffectRing> effects;

  int32_t current_seal = 0;  // picked from the seal box
  int32_t seal_x = 0, seal_y = 0;

  SealBoxState seal_box_state = SealBoxState::Closed;
  SealBoxMode seal_box_mode = SealBoxMode::Picker;
  int32_t seal_box_x = 0;      // left edge of the box in the scene
  int32_t seal_box_count = 0;  // cells filled
  std::array<std::array<int32_t, kSealBoxRows>, kSealBoxColumns> seal_box_grid{};  // [column][row]

  int32_t status_slide = 0;  // <= 0
  // The bars and the goods card ease after each frame: what the frame shows
  // is the value before the step.
  int32_t shown_satisfaction = 0, shown_hours = 0;
  GoodsCard goods_card_state = GoodsCard::None;
  int32_t goods_card_slide = 0;
  struct StatusDrawn {
    int32_t satisfaction = 0, hours = 0;
    GoodsCard card_state = GoodsCard::None;
    int32_t card_slide = 0;
  } status_drawn;
  bool shop_front_shown = false;

  TItemPanel item_box;
};
