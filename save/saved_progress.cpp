// Loading and saving the lasting progress as a whole.
#include "save/save_files.h"

FileError LoadSavedProgress(const std::string& my_dat, const std::string& name_dat, tmy& my,
                            NameList& names) {
  FileError error = ReadProgressFile(my_dat, my);
  if (error.failed()) return error;
  return ReadNameFile(name_dat, names);
}

FileError SaveSavedProgress(const std::string& my_dat, const std::string& sheet, const tmy& my) {
  FileError error = WriteProgressFile(my_dat, my);
  if (error.failed()) return error;
  return WriteResultsSheet(sheet, my);
}
