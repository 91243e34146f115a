// The messages a player sees when a save file cannot be read or written.
#include <errno.h>

#include <string>

#include "save/save_files.h"

std::string IoErrorMessage(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return "ﾌｧｲﾙが見つかりません";
    case EACCES:
    case EPERM:
    case EROFS:
      return "ﾌｧｲﾙへのｱｸｾｽが拒否されました";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return "ﾃﾞｨｽｸがいっぱいです";
    default:
      return "I/O ｴﾗｰ (" + std::to_string(code) + ")";
  }
}

std::string FileErrorText(const FileError& error) {
  switch (error.kind) {
    case FileError::None:
      return "";
    case FileError::Io:
      return IoErrorMessage(error.code) + "\n" + error.path;
    case FileError::TooLarge:
      return "ﾌｧｲﾙが大きすぎます (" + std::to_string(kSaveFileMaxBytes / 1024) + " KB まで)\n" + error.path;
    case FileError::NotNumeric:
      return "入力値が数値ではありません\n" + error.path + " (" + std::to_string(error.line) + " 行目)";
  }
  return "";
}
