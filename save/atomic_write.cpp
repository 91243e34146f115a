// Reading a save file whole, and replacing one without ever leaving half of it.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "files/regular_file.h"
#include "save/save_files.h"

namespace {

FileError IoError(const std::string& path, int code) {
  return {FileError::Io, code, 0, path};
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates a temporary file beside `path` that nobody else uses.
int CreateTemporary(const std::string& path, std::string& temp) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = path + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Where a chain of up to 40 symbolic links ends, as the system follows them (the path
// itself when no link; maybe a file not created yet). False for a longer chain or a loop.
bool FollowLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hop = 0; hop <= 40; ++hop) {
    struct stat st {};
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::vector<char> link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
    ssize_t n = readlink(target.c_str(), link.data(), link.size());
    if (n <= 0 || static_cast<size_t>(n) >= link.size()) return true;  // changed under us
    std::string next(link.data(), static_cast<size_t>(n));
    target = next[0] == '/' ? next : FolderOf(target) + "/" + next;
  }
  return false;
}

// "<name>.<pid>.<n>.tmp", as CreateTemporary names them: the pid, or -1.
long TemporaryOwner(const std::string& entry, const std::string& name) {
  const std::string suffix = ".tmp";
  if (entry.size() <= name.size() + 1 + suffix.size() || entry.compare(0, name.size(), name) != 0 ||
      entry[name.size()] != '.' || entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0)
    return -1;
  std::string middle = entry.substr(name.size() + 1, entry.size() - name.size() - 1 - suffix.size());
  size_t dot = middle.find('.');
  if (dot == 0 || dot == std::string::npos || dot + 1 == middle.size() || dot > 9) return -1;
  for (size_t i = 0; i < middle.size(); ++i) {
    if (i != dot && (middle[i] < '0' || middle[i] > '9')) return -1;
  }
  return std::stol(middle.substr(0, dot));
}

// A save cut short between writing and renaming leaves its temporary file
// behind; once its process is gone nobody will rename it any more.
void RemoveDeadTemporaries(const std::string& path) {
  const std::string folder = FolderOf(path);
  const size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    long pid = TemporaryOwner(entry->d_name, name);
    if (pid <= 0) continue;
    if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // still running
    unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// So that the new name itself survives a power cut.
void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

FileError ReadWholeFile(const std::string& path, std::string& bytes, bool& missing, size_t max_bytes) {
  int code = ReadRegularFile(path, bytes, max_bytes);
  missing = code == ENOENT;
  if (code == EFBIG) return {FileError::TooLarge, code, 0, path};
  if (code != 0) return IoError(path, code);
  return {};
}

FileError KeepCopyBeside(const std::string& path, std::string_view bytes, std::string& copy) {
  for (int n = 1; n <= 99; ++n) {
    copy = path + ".kept" + (n == 1 ? "" : std::to_string(n));
    // Never over an earlier copy, nor through a link planted in its place.
    int fd = open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return IoError(copy, errno);
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int code = errno;
    if (close(fd) != 0 && ok) {
      ok = false;
      code = errno;
    }
    if (ok) return {};
    unlink(copy.c_str());
    return IoError(copy, code);
  }
  return IoError(path + ".kept", EEXIST);
}

FileError WriteFileAtomic(const std::string& path, std::string_view bytes) {
  // A linked save file is saved where the link points, and stays a link.
  std::string target;
  if (!FollowLinks(path, target)) return IoError(path, ELOOP);
  struct stat old {};
  bool had_old = stat(target.c_str(), &old) == 0;
  // A FIFO, a device or a folder in the file's place is not the player's
  // file, and renaming over it would lose it.
  if (had_old && !S_ISREG(old.st_mode)) return IoError(path, S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
  // The player may have write-protected the file; respect that.
  if (had_old && access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS))
    return IoError(path, errno);

  std::string temp;
  int fd = CreateTemporary(target, temp);
  if (fd < 0) return IoError(path, errno);
  if (had_old) fchmod(fd, old.st_mode & 07777);
  bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
  int code = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    return IoError(path, code);
  }
  SyncFolder(FolderOf(target));
  return {};
}

void RemoveLeftoverTemporaries(const std::string& path) {
  std::string target;
  if (FollowLinks(path, target) && target != path) RemoveDeadTemporaries(target);
  RemoveDeadTemporaries(path);
}
