// The lasting progress on disk: dat/my.dat (1103 numbers), dat/name.dat (the
// name list) and the results sheet 成績.txt. Free functions on the plain game
// state, so that they run without the window; TForm1::LoadProgress and
// SaveProgress put them together and tell the player what went wrong.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/state.h"

inline constexpr int kProgressLines = 1103;  // 100 flags, 1000 seals, 3 counters
inline constexpr int kNameLines = 226;
using NameList = std::array<std::string, kNameLines>;

inline constexpr const char* kErrorTitle = "ピコラッテ";
inline constexpr const char* kMyDatName = "my.dat";
inline constexpr const char* kNameDatName = "name.dat";
inline constexpr const char* kResultsSheetName = "成績.txt";

// What went wrong with one file.
struct FileError {
  enum Kind { None, Io, NotNumeric };
  Kind kind = None;
  int code = 0;  // errno, for Io
  int line = 0;  // 1-based line of the bad token, for NotNumeric
  std::string path;
  bool failed() const { return kind != None; }
};

// The runtime's text for an errno: "ﾌｧｲﾙが見つかりません", "ﾌｧｲﾙへのｱｸｾｽが
// 拒否されました", "ﾃﾞｨｽｸがいっぱいです" or "I/O ｴﾗｰ (n)".
std::string IoErrorMessage(int code);
// What the player reads in the message box: the message, then the file.
std::string FileErrorText(const FileError& error);

// --- my.dat -----------------------------------------------------------------
// The 1103 lines of the saved fields, plain decimal, CR LF.
std::string FormatProgress(const tmy& my);
// Reads the saved fields from the text of a my.dat. Each value is the next
// blank-separated token (blank lines are skipped), then the rest of its line
// is skipped; values past the end of the text read 0. A token that is not a
// decimal int32 ends the reading with NotNumeric; the values before it stay set.
FileError ParseProgress(std::string_view text, tmy& my);
// A missing file is fresh progress: every saved field 0.
FileError ReadProgressFile(const std::string& path, tmy& my);
FileError WriteProgressFile(const std::string& path, const tmy& my);

// --- name.dat ---------------------------------------------------------------
// CP932 lines into UTF-8 names; lines past the end of the file (or all of
// them when the file is missing) are empty.
void ParseNames(std::string_view sjis, NameList& names);
FileError ReadNameFile(const std::string& path, NameList& names);

// --- 成績.txt ---------------------------------------------------------------
// The five lines of the sheet, in CP932 with CR LF.
std::string ResultsSheetText(const tmy& my);
FileError WriteResultsSheet(const std::string& path, const tmy& my);

// --- both at once -----------------------------------------------------------
// my.dat, then name.dat; stops at the first error.
FileError LoadSavedProgress(const std::string& my_dat, const std::string& name_dat, tmy& my, NameList& names);
// my.dat, then the sheet; the sheet is not written when my.dat failed.
FileError SaveSavedProgress(const std::string& my_dat, const std::string& sheet, const tmy& my);

// --- files --------------------------------------------------------------------
// The whole file; `missing` tells a file that is not there from other errors.
FileError ReadWholeFile(const std::string& path, std::string& bytes, bool& missing);
// Replaces the file as a whole or not at all: the bytes go to a new file in
// the same folder, reach the disk, and only then take the old file's name.
// A write-protected file is not replaced.
// A symbolic link is followed: the file it names is replaced, the link stays.
FileError WriteFileAtomic(const std::string& path, std::string_view bytes);
// Removes the temporary files that saves of `path` (and of the file it links
// to) left behind when their process died between writing and renaming.
// Those of a process still running are left alone.
void RemoveLeftoverTemporaries(const std::string& path);

// --- delivered with the game ----------------------------------------------------
// The 226 lines of the name list that ships with the game, CP932, CR LF.
std::string DeliveredNameList();
// Writes a fresh dat/my.dat and the name list into `dat_dir`, each only when
// it is not there yet.
FileError CreateDeliveredSaveFiles(const std::string& dat_dir);
