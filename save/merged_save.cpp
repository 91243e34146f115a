// Two copies of the game on the same files: the first holds the save folder
// for its whole life and a second waits; and should two still save (a folder
// that cannot be locked), each adds what it did since it last read or wrote
// my.dat, so neither wipes out the other's.
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "save/save_files.h"

namespace {

// The save folder this process holds for its life (ends in '/'), and its lock.
std::string claimed_folder;
int claimed_fd = -1;

// Held for one save: another copy's save waits until this one is written.
class FolderLock {
 public:
  explicit FolderLock(const std::string& file) {
    size_t slash = file.find_last_of('/');
    std::string folder = slash == std::string::npos ? "./" : file.substr(0, slash + 1);
    if (claimed_fd >= 0 && folder == claimed_folder) return;  // held already
    fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#ifndef __EMSCRIPTEN__
    // A save takes milliseconds; a copy stopped in the middle of one (a
    // debugger, SIGSTOP) must not hold this one for ever.
    for (int attempt = 0; fd_ >= 0 && attempt < 300; ++attempt) {
      if (flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) break;
      usleep(10000);
    }
#endif
  }
  ~FolderLock() {
    if (fd_ >= 0) close(fd_);  // the lock goes with it
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// A flag, a seal or a best: this copy's value when it raised it, else the file's.
int32_t Combined(int32_t disk, int32_t base, int32_t mine) {
  return mine > base ? std::max(disk, mine) : disk;
}

bool Erased(const tmy& base, const tmy& mine) {
  for (size_t i = 0; i < mine.progress_flags.size(); ++i)
    if (mine.progress_flags[i] < base.progress_flags[i]) return true;
  for (size_t i = 0; i < mine.seal_collected.size(); ++i)
    if (mine.seal_collected[i] < base.seal_collected[i]) return true;
  return mine.play_count < base.play_count || mine.best_level < base.best_level ||
         mine.best_days < base.best_days;
}

}  // namespace

bool ClaimSaveFolder(const std::string& folder) {
#ifdef __EMSCRIPTEN__
  (void)folder;
  return true;  // the page keeps to one tab by itself
#else
  if (claimed_fd >= 0 && folder == claimed_folder) return true;
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;  // no folder yet: nothing to share
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    close(fd);
    return false;
  }
  // Another error (a file system without locks): play on; the saves merge.
  if (claimed_fd >= 0) close(claimed_fd);
  claimed_fd = fd;
  claimed_folder = folder;
  return true;
#endif
}

void MergeProgress(const tmy& disk, const tmy& base, tmy& mine) {
  if (Erased(base, mine)) return;
  for (size_t i = 0; i < mine.progress_flags.size(); ++i)
    mine.progress_flags[i] = Combined(disk.progress_flags[i], base.progress_flags[i], mine.progress_flags[i]);
  for (size_t i = 0; i < mine.seal_collected.size(); ++i)
    mine.seal_collected[i] = Combined(disk.seal_collected[i], base.seal_collected[i], mine.seal_collected[i]);
  int64_t plays = int64_t{disk.play_count} + mine.play_count - base.play_count;
  mine.play_count = static_cast<int32_t>(std::min<int64_t>(plays, std::numeric_limits<int32_t>::max()));
  mine.best_level = Combined(disk.best_level, base.best_level, mine.best_level);
  mine.best_days = Combined(disk.best_days, base.best_days, mine.best_days);
}

FileError SaveMergedProgress(const std::string& my_dat, const std::string& sheet, tmy& my, tmy& base) {
  FolderLock lock(my_dat);
  tmy merged = my;
  tmy disk;
  int found = 0;
  // Only a whole my.dat is merged with; anything else is replaced by this copy's progress.
  if (!ReadProgressFile(my_dat, disk, &found).failed() && found == kProgressLines)
    MergeProgress(disk, base, merged);
  FileError error = SaveSavedProgress(my_dat, sheet, merged);
  if (error.failed()) return error;
  my = merged;
  base = merged;
  return {};
}
