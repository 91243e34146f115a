// Reading a save file whole, and replacing one without ever leaving half of it.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

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

FileError ReadWholeFile(const std::string& path, std::string& bytes, bool& missing) {
  bytes.clear();
  missing = false;
  // Non-blocking, so that a pipe put in the file's place cannot hang the game.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    missing = errno == ENOENT;
    return IoError(path, errno);
  }
  struct stat st {};
  int code = 0;
  if (fstat(fd, &st) != 0) {
    code = errno;
  } else if (!S_ISREG(st.st_mode)) {
    code = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  }
  if (code != 0) {
    close(fd);
    return IoError(path, code);
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      code = errno;
      close(fd);
      bytes.clear();
      return IoError(path, code);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return {};
}

FileError WriteFileAtomic(const std::string& path, std::string_view bytes) {
  struct stat old {};
  bool had_old = stat(path.c_str(), &old) == 0;
  // The player may have write-protected the file; respect that.
  if (had_old && access(path.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS))
    return IoError(path, errno);

  std::string temp;
  int fd = CreateTemporary(path, temp);
  if (fd < 0) return IoError(path, errno);
  if (had_old) fchmod(fd, old.st_mode & 07777);
  bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
  int code = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    return IoError(path, code);
  }
  SyncFolder(FolderOf(path));
  return {};
}
