// Opening the game's own files for reading: only a regular file counts. A
// FIFO, a device or a folder in a file's place is refused at once, so that it
// can neither hang the game nor feed it bytes for ever.
#pragma once

#include <cstddef>
#include <string>

// A descriptor open for reading (blocking again, close-on-exec), or -1 with
// errno set: ENOENT and the like from open, EISDIR for a folder, EINVAL for
// anything else that is not a regular file.
int OpenRegularFile(const std::string& path);

// The whole regular file into `bytes`. 0 on success, else an errno value (as
// above; EFBIG when the file holds more than `max_bytes`). `bytes` is empty
// after a failure.
int ReadRegularFile(const std::string& path, std::string& bytes, size_t max_bytes = static_cast<size_t>(-1));
