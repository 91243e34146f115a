// TForm1's side of the save files: paths beside the executable, and the
// error board when something goes wrong.
#include "app/form.h"
#include "save/save_files.h"

static_assert(kNameLines == kNameCount);

bool TForm1::LoadProgress() {
  FileError error = LoadSavedProgress(DatPath(kMyDatName), DatPath(kNameDatName), my, name_list);
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
  FileError error = SaveSavedProgress(DatPath(kMyDatName), platform.BaseDir() + kResultsSheetName, my);
  if (error.failed()) {
    ShowError(kErrorTitle, FileErrorText(error));
    return false;
  }
  return true;
}
