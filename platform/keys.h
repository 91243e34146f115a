// Every key the game answers, in one list that the desktop window (SDL's key
// names), the browser page (KeyboardEvent.key) and the typed-character path
// all read. A new key is a line here and the code that reacts to it.
#pragma once

#include <cstddef>
#include <string_view>

enum class KeyCode {
  Other,  // any key the game does not know
  Enter,
  Escape,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown,
  Y,
  M,
  Minus,
  Plus,
  N,
  L
};

struct KeySpelling {
  KeyCode key;
  // SDL key names (SDL_GetKeyFromName), separated by '|'.
  std::string_view desktop;
  // Characters that mean the key whatever the keyboard layout, as the
  // desktop's text input delivers them: on a Japanese layout "+" is Shift+;
  // and Shift+- types "=", the same key as "+" unshifted on many layouts.
  std::string_view typed;
  // The browser's KeyboardEvent.key values.
  std::string_view page;
  // Held down, the key comes again (the lists' moving keys); other keys count once.
  bool repeats;
};

inline constexpr KeySpelling kKeys[] = {
    {KeyCode::Enter, "Return|Keypad Enter", "", "Enter", false},
    {KeyCode::Escape, "Escape", "", "Escape", false},
    {KeyCode::Up, "Up", "", "ArrowUp", true},
    {KeyCode::Down, "Down", "", "ArrowDown", true},
    {KeyCode::Left, "Left", "", "ArrowLeft", true},
    {KeyCode::Right, "Right", "", "ArrowRight", true},
    {KeyCode::Home, "Home", "", "Home", true},
    {KeyCode::End, "End", "", "End", true},
    {KeyCode::PageUp, "PageUp", "", "PageUp", true},
    {KeyCode::PageDown, "PageDown", "", "PageDown", true},
    {KeyCode::Y, "Y", "", "y|Y", false},
    {KeyCode::M, "M", "", "m|M", false},
    {KeyCode::Minus, "", "-", "-", false},
    {KeyCode::Plus, "", "+|=", "+|=", false},
    {KeyCode::N, "N", "", "n|N", false},
    {KeyCode::L, "L", "", "l|L", false},
};

// The list holds every key but Other, once, in KeyCode's order: a key's
// number is its place in the list plus one.
constexpr bool KeysInOrder() {
  for (std::size_t i = 0; i < std::size(kKeys); ++i)
    if (static_cast<std::size_t>(kKeys[i].key) != i + 1) return false;
  return static_cast<std::size_t>(KeyCode::L) == std::size(kKeys);
}
static_assert(KeysInOrder(), "kKeys must list every KeyCode but Other, in order");

// Calls f(name) for each name of a '|'-separated list; stops early when f
// returns true and then returns true itself.
template <class F>
constexpr bool AnySpelling(std::string_view list, F f) {
  while (!list.empty()) {
    std::size_t bar = list.find('|');
    if (f(list.substr(0, bar))) return true;
    if (bar == std::string_view::npos) break;
    list.remove_prefix(bar + 1);
  }
  return false;
}

// The key a typed character stands for (Other when none).
constexpr KeyCode TypedKey(std::string_view text) {
  for (const KeySpelling& k : kKeys)
    if (AnySpelling(k.typed, [&](std::string_view c) { return c == text; })) return k.key;
  return KeyCode::Other;
}
