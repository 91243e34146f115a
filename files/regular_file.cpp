// Reading the game's own files without trusting what stands in their place.
#include "files/regular_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

namespace {

// 0 or an errno value.
int ReadAll(int fd, std::string& bytes, size_t max_bytes) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return errno;
  if (static_cast<unsigned long long>(st.st_size) > max_bytes) return EFBIG;
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    if (static_cast<size_t>(n) > max_bytes - bytes.size()) return EFBIG;  // it grew while read
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace

int OpenRegularFile(const std::string& path) {
  // Non-blocking, so that opening a FIFO with no writer returns at once.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  int code = 0;
  if (fstat(fd, &st) != 0) {
    code = errno;
  } else if (!S_ISREG(st.st_mode)) {
    code = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  } else {
    int flags = fcntl(fd, F_GETFL);
    if (flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) code = errno;
  }
  if (code != 0) {
    close(fd);
    errno = code;
    return -1;
  }
  return fd;
}

int ReadRegularFile(const std::string& path, std::string& bytes, size_t max_bytes) {
  bytes.clear();
  int fd = OpenRegularFile(path);
  if (fd < 0) return errno;
  int code = 0;
  try {
    code = ReadAll(fd, bytes, max_bytes);
  } catch (const std::bad_alloc&) {
    code = ENOMEM;
  }
  close(fd);
  if (code != 0) std::string().swap(bytes);
  return code;
}
