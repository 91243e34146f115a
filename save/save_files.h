// The lasting progress on disk: dat/my.dat (1103 numbers), dat/name.dat (the
// name list) and the results sheet 成績.txt. Free functions on the plain game
// state, so that they run without the window; TForm1::LoadProgress and
// SaveProgress put them together and tell the player what went wrong.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "game/progress.h"

inline constexpr int kProgressLines = 1103;  // 100 flags, 1000 seals, 3 counters
inline constexpr int kNameLines = 226;
// my.dat is 1103 short lines and name.dat 226 names: either is a few KB. A
// bigger file is not the game's (and is not read whole into memory).
inline constexpr size_t kSaveFileMaxBytes = 1024 * 1024;
using NameList = std::array<std::string, kNameLines>;

inline constexpr const char* kErrorTitle = "ピコラッテ";
inline constexpr const char* kMyDatName = "my.dat";
inline constexpr const char* kNameDatName = "name.dat";
inline constexpr const char* kResultsSheetName = "成績.txt";

// What went wrong with one file.
struct FileError {
  enum Kind { None, Io, NotNumeric, TooLarge };
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
// `found` (when given) is the number of values the text held, at most
// kProgressLines.
FileError ParseProgress(std::string_view text, tmy& my, int* found = nullptr);
// A missing file is fresh progress: every saved field 0, and `found` -1.
FileError ReadProgressFile(const std::string& path, tmy& my, int* found = nullptr);
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
// A file over `max_bytes` is TooLarge.
FileError ReadWholeFile(const std::string& path, std::string& bytes, bool& missing,
                        size_t max_bytes = kSaveFileMaxBytes);
// Writes `bytes` to a new file beside `path` (path.kept, path.kept2, ...),
// never over an existing one; `copy` is its name.
FileError KeepCopyBeside(const std::string& path, std::string_view bytes, std::string& copy);
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

// --- two copies of the game at once --------------------------------------------
// Holds the save folder `folder` (ends in '/') for the rest of this process:
// false while another process holds it. A folder that is not there or cannot
// be locked counts as held.
bool ClaimSaveFolder(const std::string& folder);
// Folds what this copy did since `base` (my.dat as this copy last read or
// wrote it) into `disk` (my.dat as it is now, perhaps saved by another copy
// meanwhile), giving the result in `mine`: flags and seals are combined, the
// play count gains this copy's new games, the bests keep the higher. When a
// field went below `base` the player erased the progress: `mine` stays as it is.
void MergeProgress(const tmy& disk, const tmy& base, tmy& mine);
// SaveSavedProgress of `my` merged with what my.dat holds now, while holding
// a lock on the folder so that two saves never cross. On success `my` and
// `base` both hold what was written.
FileError SaveMergedProgress(const std::string& my_dat, const std::string& sheet, tmy& my, tmy& base);
// True when `a` and `b` hold the same values in every field my.dat keeps
// (the running day's fields do not count).
bool SameSavedProgress(const tmy& a, const tmy& b);
