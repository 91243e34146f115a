// dat/name.dat: the name list, one CP932 line per name.
#include <string>

#include "save/save_files.h"
#include "save/sjis.h"

void ParseNames(std::string_view sjis, NameList& names) {
  size_t pos = 0;
  for (std::string& name : names) {
    if (pos >= sjis.size()) {
      name.clear();
      continue;
    }
    // CR and LF never occur inside a CP932 character, so the bytes split safely.
    size_t end = sjis.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = sjis.size();
    name = SjisToUtf8(std::string(sjis.substr(pos, end - pos)));
    pos = end;
    if (pos < sjis.size() && sjis[pos] == '\r') ++pos;
    if (pos < sjis.size() && sjis[pos] == '\n') ++pos;
  }
}

FileError ReadNameFile(const std::string& path, NameList& names) {
  std::string bytes;
  bool missing = false;
  FileError error = ReadWholeFile(path, bytes, missing);
  if (error.failed() && !missing) return error;
  // Nothing in the game depends on the names: a missing file leaves them empty.
  ParseNames(bytes, names);
  return {};
}
