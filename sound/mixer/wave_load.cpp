// Loading a RIFF/WAVE sound of uncompressed PCM from a file or a memory
// block, and releasing it again.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "files/regular_file.h"
#include "sound/mixer/internal.h"

namespace {

// Where the bytes come from: random access with short reads at the end.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual int64_t Size() const = 0;
  // Bytes actually read.
  virtual int64_t ReadAt(int64_t offset, void* out, int64_t n) = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(const TMemoryFile& m) : m_(m) {}
  int64_t Size() const override { return m_.size; }
  int64_t ReadAt(int64_t offset, void* out, int64_t n) override {
    if (offset < 0 || offset >= m_.size) return 0;
    n = std::min<int64_t>(n, m_.size - offset);
    std::memcpy(out, m_.buffer + offset, n);
    return n;
  }

 private:
  TMemoryFile m_;
};

class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* f) : f_(f) {
    if (std::fseek(f_, 0, SEEK_END) == 0) size_ = std::max<int64_t>(std::ftell(f_), 0);
  }
  ~FileSource() override { std::fclose(f_); }
  int64_t Size() const override { return size_; }
  int64_t ReadAt(int64_t offset, void* out, int64_t n) override {
    if (std::fseek(f_, offset, SEEK_SET) != 0) return 0;
    return static_cast<int64_t>(std::fread(out, 1, n, f_));
  }

 private:
  std::FILE* f_;
  int64_t size_ = 0;
};

constexpr uint32_t FourCc(const char (&s)[5]) {
  return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
         uint32_t(uint8_t(s[3])) << 24;
}

uint32_t Le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

struct Chunk {
  int64_t data = 0;   // offset of the chunk's first data byte
  uint32_t size = 0;  // bytes, as declared
  int64_t Next() const { return data + size + (size & 1); }
};

// Looks for chunk `id` among the chunks in [from, limit); for RIFF chunks
// the form type must match too.
bool FindChunk(ByteSource& src, int64_t from, int64_t limit, uint32_t id, Chunk& found, uint32_t form = 0) {
  for (int64_t pos = from; pos + 8 <= limit;) {
    uint8_t head[12];
    const int64_t want = form != 0 ? 12 : 8;
    if (src.ReadAt(pos, head, want) != want) return false;
    Chunk c{pos + 8, Le32(head + 4)};
    if (Le32(head) == id && (form == 0 || Le32(head + 8) == form)) {
      found = c;
      return true;
    }
    pos = c.Next();
  }
  return false;
}

struct DataBlock {
  uint8_t* bytes = nullptr;
  ~DataBlock() { std::free(bytes); }
};

void ReadWave(ByteSource& src, const TPcmFormat& output, TMixWave& wave, DataBlock& data) {
  Chunk riff;
  if (!FindChunk(src, 0, src.Size(), FourCc("RIFF"), riff, FourCc("WAVE"))) Fail("This is not a WAVE file");
  const int64_t riff_end = std::min<int64_t>(riff.data + riff.size, src.Size());
  Chunk fmt;
  if (!FindChunk(src, riff.data + 4, riff_end, FourCc("fmt "), fmt)) Fail("WAVE file is corrupted");
  uint8_t f[16];
  // A format chunk shorter than 16 bytes would lend its last fields from
  // whatever follows it.
  if (fmt.size < 16 || src.ReadAt(fmt.data, f, 16) != 16) Fail("Failed to read format chunk");
  wave.source_format = {Le16(f), Le16(f + 2), Le32(f + 4), Le32(f + 8), Le16(f + 12), Le16(f + 14)};
  if (wave.source_format.format_tag != 1) Fail("The file is not a PCM file");
  Chunk dc;
  if (!FindChunk(src, fmt.Next(), riff_end, FourCc("data"), dc)) Fail("WAVE file has no data chunk");
  if (dc.size == 0) Fail("The data chunk has no data");
  // A declared size beyond the bytes present is a short read; finding out
  // before allocating keeps a lying header from asking for gigabytes.
  if (dc.size > INT32_MAX || dc.data + dc.size > src.Size()) Fail("Failed to read data chunk");
  data.bytes = static_cast<uint8_t*>(std::malloc(dc.size));
  if (data.bytes == nullptr) Fail(kMemoryMessage);
  if (src.ReadAt(dc.data, data.bytes, dc.size) != dc.size) Fail("Failed to read data chunk");
  int32_t length = static_cast<int32_t>(dc.size);
  ConvertWave(wave.source_format, output, data.bytes, length);
  if (data.bytes == nullptr || length <= 0) Fail("Failed to convert wave format");
  wave.length = length;
}

TMixWave* Load(TMixSession* session, std::unique_ptr<ByteSource> (*open)(const void*), const void* arg,
               const std::string& name) {
  TMixSession* s = CheckSession(session);
  if (!s->device->SupportsFormat(s->device_id, s->format))
    Fail("The waveform device can\xB4t play this format");
  std::unique_ptr<TMixWave> wave(new (std::nothrow) TMixWave{});
  if (!wave) Fail(kMemoryMessage);
  std::unique_ptr<ByteSource> src = open(arg);
  DataBlock data;
  ReadWave(*src, s->format, *wave, data);
  wave->data = data.bytes;
  data.bytes = nullptr;
  std::strncpy(wave->name, name.c_str(), sizeof wave->name - 1);
  return wave.release();
}

std::unique_ptr<ByteSource> OpenFile(const void* arg) {
  const auto& path = *static_cast<const std::string*>(arg);
  // A pipe or a device in the sound's place counts as a missing file.
  const int fd = OpenRegularFile(path);
  std::FILE* f = fd >= 0 ? fdopen(fd, "rb") : nullptr;
  if (f == nullptr) {
    if (fd >= 0) close(fd);
    Fail("Failed to open wave file " + path);
  }
  return std::make_unique<FileSource>(f);
}

std::unique_ptr<ByteSource> OpenMemory(const void* arg) {
  const auto& memory = *static_cast<const TMemoryFile*>(arg);
  // 259: the multimedia I/O code for "cannot open".
  if (memory.buffer == nullptr)
    Fail("Failed to open memory file, mmioOpen error=259.\rMay need to make sure memory is read-write");
  return std::make_unique<MemorySource>(memory);
}

const TMemoryFile kNoMemory{};

// This build carries no sounds among its resources.
std::unique_ptr<ByteSource> OpenResource(const void* arg) {
  Fail("Failed to open \"WAVE\" resource " + *static_cast<const std::string*>(arg));
}

}  // namespace

TMixWave* LoadWave(TMixSession* session, const std::string& source, uint32_t flags) {
  if (flags & kLoadResource) return Load(session, OpenResource, &source, source);
  if (flags & kLoadMemory) return Load(session, OpenMemory, &kNoMemory, "");
  return Load(session, OpenFile, &source, source);
}

TMixWave* LoadWave(TMixSession* session, int resource_number, uint32_t /*flags*/) {
  const std::string number = std::to_string(resource_number);
  return Load(session, OpenResource, &number, "res#" + number);
}

TMixWave* LoadWave(TMixSession* session, const TMemoryFile& memory, uint32_t /*flags*/) {
  return Load(session, OpenMemory, &memory, "");
}

bool WaveInUse(TMixSession* session, const TMixWave* wave) {
  TMixSession* s = CheckSession(session);
  for (int c = 0; c < kMixChannels; ++c) {
    if (!IsOpen(s, c)) continue;
    for (const TQueuedPlay* e = s->queues[c]; e != nullptr; e = e->next)
      if (e->wave == wave) return true;
  }
  if (s->pending != nullptr) {
    const TQueuedPlay* e = s->pending;
    do {
      if (e->wave == wave) return true;
      e = e->next;
    } while (e != s->pending && e != nullptr);
  }
  return false;
}

void ReleaseWave(TMixSession* session, TMixWave* wave) {
  TMixSession* s = CheckSession(session);
  if (wave == nullptr) Fail("The given pointer was not valid");
  // No remix: bytes already in the blocks play out.
  for (int c = 0; c < kMixChannels; ++c) {
    if (!IsOpen(s, c)) continue;
    for (TQueuedPlay** link = &s->queues[c]; *link != nullptr;) {
      TQueuedPlay* e = *link;
      if (e->wave != wave) {
        link = &e->next;
        continue;
      }
      *link = e->next;
      GiveBack(e);
    }
  }
  // A play still waiting to be placed would otherwise play freed bytes.
  if (s->pending != nullptr) {
    TQueuedPlay* kept_tail = nullptr;
    TQueuedPlay* kept_head = nullptr;
    TQueuedPlay* e = s->pending->next;
    s->pending->next = nullptr;
    while (e != nullptr) {
      TQueuedPlay* next = e->next;
      if (e->wave == wave) {
        GiveBack(e);
      } else {
        e->next = nullptr;
        (kept_tail != nullptr ? kept_tail->next : kept_head) = e;
        kept_tail = e;
      }
      e = next;
    }
    if (kept_tail != nullptr) kept_tail->next = kept_head;
    s->pending = kept_tail;
  }
  std::free(wave->data);
  delete wave;
}
