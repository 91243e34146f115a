// The question and error boards: their buttons, their input and their look
// (the plum board of the item panel, with the game's bold Gothic).
#include "app/dialog.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/form.h"
#include "view/text_wrap.h"

namespace {

constexpr Rgb kShadow = 0x000000;
constexpr Rgb kBoardBack = 0x291D28;
constexpr Rgb kBoardEdgeLight = 0xA3819F;
constexpr Rgb kBoardEdgeDark = 0x4A3547;
constexpr Rgb kQuestionStrip = 0x6B3563;
constexpr Rgb kErrorStrip = 0x8C2D3A;
constexpr Rgb kText = 0xE7E3C5;
constexpr int kStripHeight = 20;
constexpr int kTextLeft = kDialogBoard.left + 14;
constexpr int kTextTop = kDialogBoard.top + kStripHeight + 10;
constexpr int kTextWidth = kDialogBoard.width - 28;
constexpr int kLineHeight = 15;
constexpr int kTextPoints = 9;

DialogRect ButtonRect(int button) {
  switch (button) {
    case kYesButton:
      return kDialogYesButton;
    case kNoAnswerButton:
      return kDialogNoButton;
    default:
      return kDialogOkButton;
  }
}

std::vector<int> Buttons(const TDialog& dialog) {
  if (dialog.kind == DialogKind::Question) return {kYesButton, kNoAnswerButton};
  return {kOkButton};
}

void Line(Bitmap& canvas, int x1, int y1, int x2, int y2, Rgb color) {
  canvas.Line(x1, y1, x2, y2, {color, 1});
}

void CentredText(Bitmap& canvas, const DialogRect& r, const std::string& text, const TFont& font, int shift) {
  int w = Bitmap::TextWidth(text, font);
  int h = Bitmap::TextHeight(text, font);
  canvas.TextOut(r.left + (r.width - w) / 2 + shift, r.top + (r.height - h) / 2 + shift, text, font);
}

// A bevelled button that lights up under the mouse and sinks while held;
// the default button wears a light ring.
void DrawButton(Bitmap& canvas, const DialogRect& r, const std::string& caption, const TDialog& dialog,
                int button, bool is_default) {
  bool hover = dialog.hovered == button;
  bool held = hover && dialog.pressed == button;
  Rgb face = held ? 0x3E2A3C : hover ? 0x9A6A94 : 0x5E425B;
  Rgb light = held ? 0x231722 : hover ? 0xD8B4D2 : 0xA3819F;
  Rgb dark = held ? 0x8A6886 : 0x1E141D;
  if (is_default) OutlinePanelRect(canvas, {r.left - 2, r.top - 2, r.width + 4, r.height + 4}, kText);
  FillPanelRect(canvas, r, face);
  Line(canvas, r.left, r.top, r.Right(), r.top, light);
  Line(canvas, r.left, r.top, r.left, r.Bottom(), light);
  Line(canvas, r.left, r.Bottom() - 1, r.Right(), r.Bottom() - 1, dark);
  Line(canvas, r.Right() - 1, r.top, r.Right() - 1, r.Bottom(), dark);
  const TFont font = {kGameFace, 10, true, hover && !held ? 0xFFFFA0u : 0xFFFFFFu};
  CentredText(canvas, r, caption, font, held ? 1 : 0);
}

// Halves every colour of the scene so that the board stands out.
void Dim(Bitmap& canvas) {
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) canvas.SetPixel(x, y, (canvas.Pixel(x, y) >> 1) & 0x7F7F7F);
}

}  // namespace

int DialogButtonAt(const TDialog& dialog, int x, int y) {
  for (int button : Buttons(dialog))
    if (ButtonRect(button).Contains(x, y)) return button;
  return kNoButton;
}

void DialogInput(TDialog& dialog, const InputEvent& event) {
  bool question = dialog.kind == DialogKind::Question;
  switch (event.kind) {
    case InputEvent::MouseMove:
      dialog.hovered = DialogButtonAt(dialog, event.x, event.y);
      break;
    case InputEvent::MouseDown:
      if (event.button != kLeftButton) break;
      dialog.hovered = DialogButtonAt(dialog, event.x, event.y);
      dialog.pressed = dialog.hovered;
      break;
    case InputEvent::MouseUp: {
      if (event.button != kLeftButton) break;
      int button = DialogButtonAt(dialog, event.x, event.y);
      dialog.hovered = button;
      if (button != kNoButton && button == dialog.pressed)
        dialog.answer = button == kYesButton ? kDialogYes : kDialogNo;
      dialog.pressed = kNoButton;
      break;
    }
    case InputEvent::KeyDown:
      if (event.repeat) break;  // a held key never answers
      if (event.key == KeyCode::Y && question) dialog.answer = kDialogYes;
      if (event.key == KeyCode::N && question) dialog.answer = kDialogNo;
      if (event.key == KeyCode::Escape || event.key == KeyCode::Enter) dialog.answer = kDialogNo;
      break;
    default:
      break;
  }
}

void DrawDialog(Bitmap& canvas, const TDialog& dialog) {
  Dim(canvas);
  const DialogRect& b = kDialogBoard;
  FillPanelRect(canvas, {b.left + 4, b.top + 4, b.width, b.height}, kShadow);
  FillPanelRect(canvas, b, kBoardBack);
  FillPanelRect(canvas, {b.left, b.top, b.width, kStripHeight},
                dialog.kind == DialogKind::Error ? kErrorStrip : kQuestionStrip);
  OutlinePanelRect(canvas, b, kBoardEdgeLight);
  OutlinePanelRect(canvas, {b.left + 1, b.top + 1, b.width - 2, b.height - 2}, kBoardEdgeDark);

  const TFont title_font = {kGameFace, kTextPoints, true, 0xFFFFFF};
  std::string title = (dialog.kind == DialogKind::Error ? "× " : "？ ") + dialog.title;
  canvas.TextOut(b.left + 8, b.top + (kStripHeight - Bitmap::TextHeight(title, title_font)) / 2, title,
                 title_font);

  const TFont text_font = {kGameFace, kTextPoints, true, kText};
  int y = kTextTop;
  for (const std::string& line : WrapText(dialog.text, kTextWidth, text_font)) {
    if (y + kLineHeight > kDialogYesButton.top - 6) break;
    canvas.TextOut(kTextLeft, y, line, text_font);
    y += kLineHeight;
  }

  if (dialog.kind == DialogKind::Question) {
    // The keys that answer, on the buttons themselves.
    DrawButton(canvas, kDialogYesButton, dialog.yes, dialog, kYesButton, false);
    DrawButton(canvas, kDialogNoButton, dialog.no, dialog, kNoAnswerButton, true);
  } else {
    DrawButton(canvas, kDialogOkButton, "OK", dialog, kOkButton, true);
  }
}

// TForm1's side: the modal wait and the frame with the board on it.

namespace {

// One line for the log: the board's line breaks become spaces.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

}  // namespace

void TForm1::PresentScene() {
  int notice = VolumeNoticeAlpha();
  if (!dialog.open && notice == 0) {
    platform.Present(cg);
    return;
  }
  // Before the first picture is read cg is still empty: the board then
  // stands on black.
  dialog_frame.SetSize(kSceneWidth, kSceneHeight);
  if (!cg.Empty())
    dialog_frame.CopyRect(0, 0, kSceneWidth, kSceneHeight, cg, 0, 0, kSceneWidth, kSceneHeight);
  if (dialog.open) DrawDialog(dialog_frame, dialog);
  if (notice) DrawVolumeNotice(dialog_frame, notice);
  platform.Present(dialog_frame);
}

// Shows a dialog and handles events and frames until it is answered; one
// that comes up while another waits (an error while a question is up, say)
// goes over it, and the other is back afterwards.
int TForm1::RunDialog(DialogKind kind, const std::string& title, const std::string& text) {
  TDialog outer = dialog;
  dialog = TDialog{};
  dialog.open = true;
  dialog.kind = kind;
  // The board shows the chosen language; it is gone before that can change.
  dialog.title = Shown(title);
  dialog.text = Shown(text);
  dialog.yes = Shown(dialog.yes);
  dialog.no = Shown(dialog.no);
  dialog.hovered = DialogButtonAt(dialog, mouse_x, mouse_y);
  PresentScene();
  while (dialog.answer == kDialogOpen) ProcessMessages(TimeToNextTick());
  int answer = dialog.answer;
  dialog.open = false;
  if (outer.open) dialog = outer;
  PresentScene();
  return answer;
}

bool TForm1::AskYesNo(const std::string& title, const std::string& text) {
  if (closing) return false;  // nobody is left to answer
  return RunDialog(DialogKind::Question, title, text) == kDialogYes;
}

void TForm1::ShowError(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "picolatte: %s\n", OneLine(Shown(text)).c_str());
  std::fflush(stderr);
  RunDialog(DialogKind::Error, title, text);
}
