// The desktop window's keys as SDL reports them on different keyboard
// layouts: the volume keys follow the character typed, not the key's place.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/desktop/sdl_platform.h"

namespace {

// One key press as SDL delivers it: the key, then the text it types (if any).
void Press(SDL_Keycode sym, Uint16 mod, const char* text) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  SDL_PushEvent(&e);
  if (*text) {
    SDL_Event t{};
    t.type = SDL_TEXTINPUT;
    std::strncpy(t.text.text, text, sizeof t.text.text - 1);
    SDL_PushEvent(&t);
  }
  e.type = SDL_KEYUP;
  SDL_PushEvent(&e);
}

TEST(SdlKeys, VolumeKeysFollowTheCharacterTyped) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto platform = CreateSdlPlatform("/tmp/");
  ASSERT_NE(platform, nullptr);
  struct Case {
    const char* layout;
    SDL_Keycode sym;
    Uint16 mod;
    const char* text;
    KeyCode volume;  // Other: no volume key
  } cases[] = {
      {"Japanese Shift+; types +", SDLK_SEMICOLON, KMOD_LSHIFT, "+", KeyCode::Plus},
      {"Japanese Shift+- types =", SDLK_MINUS, KMOD_LSHIFT, "=", KeyCode::Plus},
      {"any - key", SDLK_MINUS, KMOD_NONE, "-", KeyCode::Minus},
      {"keypad -", SDLK_KP_MINUS, KMOD_NONE, "-", KeyCode::Minus},
      {"US Shift+= types +", SDLK_EQUALS, KMOD_LSHIFT, "+", KeyCode::Plus},
      {"US = key", SDLK_EQUALS, KMOD_NONE, "=", KeyCode::Plus},
      {"US Shift+- types _", SDLK_MINUS, KMOD_LSHIFT, "_", KeyCode::Other},
      {"Japanese ; key", SDLK_SEMICOLON, KMOD_NONE, ";", KeyCode::Other},
  };
  for (const Case& c : cases) {
    Press(c.sym, c.mod, c.text);
    std::vector<KeyCode> volume;
    InputEvent event;
    while (platform->WaitEvent(event, 50))
      if (event.kind == InputEvent::KeyDown && (event.key == KeyCode::Plus || event.key == KeyCode::Minus))
        volume.push_back(event.key);
    std::vector<KeyCode> expected;
    if (c.volume != KeyCode::Other) expected.push_back(c.volume);
    EXPECT_EQ(volume, expected) << c.layout;
  }
  // The letters still come as keys.
  Press(SDLK_n, KMOD_NONE, "n");
  InputEvent event;
  bool n = false;
  while (platform->WaitEvent(event, 50))
    n = n || (event.kind == InputEvent::KeyDown && event.key == KeyCode::N);
  EXPECT_TRUE(n);
}

}  // namespace
