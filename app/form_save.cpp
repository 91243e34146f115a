// TForm1's side of the save files: where they are, and the error board
// when something goes wrong.
#include <errno.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/form.h"
#include "save/save_files.h"

namespace {

bool Missing(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) != 0 && errno == ENOENT;
}

}  // namespace

// The player's own save file, or the shipped one while the player has none
// (a home where the first start could not copy it). Only read, never written.
std::string TForm1::SaveFileToRead(const char* name) const {
  std::string own = paths.save + name;
  if (paths.save.empty() || (paths.save != paths.dat && Missing(own))) return paths.dat + name;
  return own;
}

// One copy of the game plays on the player's files at a time: a second one
// would write its own progress over the first's. It waits, says so, and goes
// on (reading the progress afresh) once the other is closed; OK or a close
// ends it without writing anything.
bool TForm1::WaitForOtherCopy() {
  if (paths.save.empty() || ClaimSaveFolder(paths.save)) return true;
  const std::string text =
      "ピコラッテはもう一つ開いています。同じ記録を二つで遊ぶと片方の記録が消えるため、"
      "あちらを閉じると、ここで続きから始まります。OK でこちらを閉じます。\n" +
      paths.save;
  std::fprintf(stderr, "picolatte: another copy of the game is using %s; waiting for it to close\n",
               paths.save.c_str());
  dialog = TDialog{};
  dialog.open = true;
  dialog.kind = DialogKind::Error;
  dialog.title = kErrorTitle;
  dialog.text = text;
  dialog.hovered = DialogButtonAt(dialog, mouse_x, mouse_y);
  PresentScene();
  bool claimed = false;
  while (dialog.answer == kDialogOpen && !(claimed = ClaimSaveFolder(paths.save)))
    ProcessMessages(std::min(TimeToNextTick(), 100));
  dialog.open = false;
  PresentScene();
  return claimed;
}

bool TForm1::LoadProgress() {
  if (!WaitForOtherCopy()) return false;
  const std::string my_dat = SaveFileToRead(kMyDatName);
  const bool own = my_dat == paths.save + kMyDatName;
  if (own) {
    RemoveLeftoverTemporaries(my_dat);
    RemoveLeftoverTemporaries(paths.sheet);
  }
  int found = 0;
  FileError error = ReadProgressFile(my_dat, my, &found);
  // The name list is read only to be sure it can be: nothing uses the names.
  NameList names;
  if (!error.failed()) error = ReadNameFile(SaveFileToRead(kNameDatName), names);
  if (!error.failed() && own && found >= 0 && found < kProgressLines) error = KeepShortProgressAside(found);
  if (error.failed()) {
    // The game cannot go on; the file stays as it is for the player to look at.
    ShowError(kErrorTitle, FileErrorText(error));
    return false;
  }
  saved_progress = my;
  return true;
}

// A my.dat cut short (a copy between machines that stopped half way) reads
// as zeros past its end, and the next save would make those zeros final: the
// file as it was is copied beside it first, and the player is told.
FileError TForm1::KeepShortProgressAside(int found) {
  const std::string my_dat = paths.save + kMyDatName;
  std::string bytes, copy;
  bool missing = false;
  FileError error = ReadWholeFile(my_dat, bytes, missing);
  if (!error.failed()) error = KeepCopyBeside(my_dat, bytes, copy);
  if (error.failed()) return error;
  ShowError(kErrorTitle, "my.dat の値が足りません (" + std::to_string(found) + " / " +
                             std::to_string(kProgressLines) +
                             ")。足りない分を 0 として続けます。\n元のファイルは " + copy + " に残しました");
  return {};
}

bool TForm1::SaveProgress() {
  FileError error;
  if (paths.save.empty()) {
    error = {FileError::Io, ENOENT, 0, "$HOME/.local/share/picolatte/" + std::string(kMyDatName)};
  } else if (paths.save != paths.dat) {
    // The player's own folder (installed): made again if it went away, and
    // when that fails its own reason is the one to tell.
    std::error_code ec;
    std::filesystem::create_directories(paths.save, ec);
    if (ec) error = {FileError::Io, ec.value(), 0, paths.save + kMyDatName};
  }
  if (!error.failed()) error = SaveMergedProgress(paths.save + kMyDatName, paths.sheet, my, saved_progress);
  if (error.failed()) {
    ShowError(kErrorTitle, FileErrorText(error));
    return false;
  }
  return true;
}
