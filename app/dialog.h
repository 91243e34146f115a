// The game's own dialogs, drawn in the window over the scene: the Yes/No
// question and the error board. While one is up it takes the mouse and the
// keys; the frame tick goes on behind it.
#pragma once

#include <string>

#include "platform/bitmap.h"
#include "platform/platform.h"
#include "view/panel_shapes.h"

using DialogRect = PanelRect;

// The board and its buttons, in scene pixels.
inline constexpr DialogRect kDialogBoard = {10, 50, 370, 160};
inline constexpr DialogRect kDialogYesButton = {85, 172, 100, 26};  // "はい", questions only
inline constexpr DialogRect kDialogNoButton = {205, 172, 100, 26};  // "いいえ"
inline constexpr DialogRect kDialogOkButton = {145, 172, 100, 26};  // "OK", errors only

enum class DialogKind { Question, Error };

enum DialogButton { kNoButton = 0, kYesButton = 1, kNoAnswerButton = 2, kOkButton = 3 };

inline constexpr int kDialogOpen = -1;  // `answer` while the player has not answered
inline constexpr int kDialogNo = 0;     // いいえ, Escape, close, or an error seen
inline constexpr int kDialogYes = 1;

struct TDialog {
  bool open = false;
  DialogKind kind = DialogKind::Question;
  std::string title;  // on the board's top strip
  std::string text;   // '\n' starts a new line; long lines wrap
  std::string yes = "はい(Y)", no = "いいえ(N)";  // the question's buttons
  int answer = kDialogOpen;
  int hovered = kNoButton;  // the button under the mouse
  int pressed = kNoButton;  // the button the mouse went down on
};

// The button at a scene point, kNoButton for none.
int DialogButtonAt(const TDialog& dialog, int x, int y);
// Mouse and key input while the dialog is up: a click (press and release on
// the same button) on "はい" or the Y key answers yes; "いいえ", the N key,
// Escape and Enter (the default button) answer no. An error closes on "OK", Enter or
// Escape. Sets `answer` once answered.
void DialogInput(TDialog& dialog, const InputEvent& event);
// Draws the dimmed scene and the board into `canvas`, which holds a copy of
// the scene.
void DrawDialog(Bitmap& canvas, const TDialog& dialog);
