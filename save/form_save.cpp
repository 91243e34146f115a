// TForm1's side of the save files: where they are, and the error board
// when something goes wrong.
#include "app/form.h"
#include "save/save_files.h"

static_assert(kNameLines == kNameCount);

bool TForm1::LoadProgress() {
  RemoveLeftoverTemporaries(paths.save + kMyDatName);
  RemoveLeftoverTemporaries(paths.sheet);
  FileError error = LoadSavedProgress(paths.save + kMyDatName, paths.save + kNameDatName, my, name_list);
  if (error.failed()) {
    // The game cannot go on; the file stays as it is for the player to look at.
    ShowError(kErrorTitle, FileErrorText(error));
    return false;
  }
  FillGoodsTable(goods_table);
  FillCustomerTable(customer_table);
  return true;
}

bool TForm1::SaveProgress() {
  FileError error = SaveSavedProgress(paths.save + kMyDatName, paths.sheet, my);
  if (error.failed()) {
    ShowError(kErrorTitle, FileErrorText(error));
    return false;
  }
  return true;
}
