// The desktop window's keys as SDL reports them on different keyboard
// layouts: the volume keys follow the character typed, not the key's place.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
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

// The window on SDL's dummy drivers.
std::unique_ptr<Platform> DummyWindow() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  return CreateSdlPlatform("/tmp/");
}

// The keys the game is given for what was pressed, leaving out the ones it
// does not know.
std::vector<KeyCode> KeysTaken(Platform& platform) {
  std::vector<KeyCode> keys;
  InputEvent event;
  while (platform.WaitEvent(event, 50))
    if (event.kind == InputEvent::KeyDown && event.key != KeyCode::Other) keys.push_back(event.key);
  return keys;
}

TEST(SdlKeys, VolumeKeysFollowTheCharacterTyped) {
  auto platform = DummyWindow();
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
    std::vector<KeyCode> expected;
    if (c.volume != KeyCode::Other) expected.push_back(c.volume);
    EXPECT_EQ(KeysTaken(*platform), expected) << c.layout;
  }
  // The letters still come as keys, once: their typed character is not a key.
  Press(SDLK_n, KMOD_NONE, "n");
  EXPECT_EQ(KeysTaken(*platform), std::vector<KeyCode>{KeyCode::N});
}

// Every spelling in the key list reaches the game as its key: SDL knows each
// desktop name, and a press of it (or a typed character) comes out as the
// key the list gives it.
TEST(SdlKeys, EverySpellingInTheKeyListArrivesAsItsKey) {
  auto platform = DummyWindow();
  ASSERT_NE(platform, nullptr);
  std::set<std::string> page_names;
  for (const KeySpelling& k : kKeys) {
    EXPECT_FALSE(k.desktop.empty() && k.typed.empty()) << "no way to press key " << static_cast<int>(k.key);
    AnySpelling(k.page, [&](std::string_view name) {
      EXPECT_TRUE(page_names.insert(std::string(name)).second) << "page key named twice: " << name;
      return false;
    });
    auto arrives = [&](std::string_view name, bool typed) {
      std::string n(name);
      SDL_Keycode sym = typed ? SDLK_UNKNOWN : SDL_GetKeyFromName(n.c_str());
      EXPECT_TRUE(typed || sym != SDLK_UNKNOWN) << "SDL has no key named " << n;
      Press(sym, KMOD_NONE, typed ? n.c_str() : "");
      EXPECT_EQ(KeysTaken(*platform), std::vector<KeyCode>{k.key}) << n;
      return false;
    };
    AnySpelling(k.desktop, [&](std::string_view name) { return arrives(name, false); });
    AnySpelling(k.typed, [&](std::string_view name) { return arrives(name, true); });
  }
}

}  // namespace
