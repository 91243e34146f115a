// Creating and ending the one mix session, and reading its settings from
// SOUNDMIX.INI for the chosen output device.
#include <algorithm>
#include <cstring>
#include <new>

#include "sound/mixer/internal.h"

TMixSession* g_session = nullptr;
TMixSession* g_active = nullptr;
TMixSession* g_current = nullptr;

const char* const kMemoryMessage =
    "Unable to allocate memory for waveform data.  Try making more memory available by closing other "
    "applications.";

void Fail(const std::string& message) {
  throw ESoundMixerError(message);
}

TMixSession* CheckSession(TMixSession* session) {
  if (session == nullptr || session->magic != kSessionMagic || session->magic2 != kSessionMagic)
    Fail("Invalid Session handle");
  g_current = session;
  return session;
}

TQueuedPlay* ChannelClosed() {
  // A marker no entry can ever have as its address.
  static TQueuedPlay marker;
  return &marker;
}

bool AllChannelsEmpty(const TMixSession* s) {
  for (int c = 0; c < kMixChannels; ++c) {
    if (IsOpen(s, c) && s->queues[c] != nullptr) return false;
  }
  return true;
}

namespace {

struct Settings {
  int remix;
  int good_position;
  int blocks;
  int block_length;
  int rate_code;
};

// Rounded down to a multiple of 4, negative values too (-1 gives -4).
int DownToFour(int value) {
  return static_cast<int>(int64_t{value} - ((int64_t{value} % 4) + 4) % 4);
}

Settings ReadSection(const IniFile& ini, const std::string& section, const Settings& fallback) {
  Settings s;
  s.remix = ini.GetInt(section, "Remix", fallback.remix);
  s.good_position = ini.GetInt(section, "GoodWavePos", fallback.good_position);
  s.blocks = ini.GetInt(section, "WaveBlocks", fallback.blocks);
  s.block_length = DownToFour(ini.GetInt(section, "WaveBlockLen", fallback.block_length));
  s.rate_code = ini.GetInt(section, "SamplesPerSec", fallback.rate_code);
  return s;
}

void SetOutputFormat(TMixSession* s, const Settings& device, const TMixConfig* config,
                     uint16_t caps_channels) {
  if (config != nullptr && (config->flags & 1) && config->channels > 1 && caps_channels > 1) {
    s->format.channels = 2;
    s->format.block_align = 2;
  }
  int code = device.rate_code;
  if (config != nullptr && (config->flags & 2) &&
      (config->rate_code == 11 || config->rate_code == 22 || config->rate_code == 44))
    code = config->rate_code;
  s->format.samples_per_sec = code == 22 ? 22050 : code == 44 ? 44100 : 11025;
  s->format.bytes_per_sec = s->format.samples_per_sec * s->format.channels;
}

void FreeSession(TMixSession* s) {
  *s = TMixSession{};
  delete s;
  if (g_session == s) g_session = nullptr;
  if (g_current == s) g_current = nullptr;
}

}  // namespace

TMixSession* InitSession(WaveOutDevice& device, const std::string& ini_path, const TMixConfig* config) {
  // There is no callback window class to register: the device reports
  // finished blocks through WaveHeader::done and the caller's Pump.
  if (g_session != nullptr) Fail("Session already initialized");
  // Only now: relinking while a session lives would hand out entries it still uses.
  LinkPool();
  if (config != nullptr && config->size != 10) config = nullptr;
  const int device_count = device.DeviceCount();
  if (device_count <= 0) Fail("No wave output devices available");

  TMixSession* s = new (std::nothrow) TMixSession{};
  if (s == nullptr) Fail(kMemoryMessage);
  s->magic = s->magic2 = kSessionMagic;
  s->device = &device;
  for (auto& q : s->queues) q = ChannelClosed();
  s->format = TPcmFormat{};
  g_session = s;

  const IniFile ini(ini_path);
  const Settings defaults = ReadSection(ini, "default", Settings{1, 0, 3, 0, 11});
  s->device_id = ini.GetInt("general", "WaveOutDevice", 0);
  // Below -1 is no device number either.
  if (s->device_id >= device_count || s->device_id < -1) s->device_id = -1;

  WaveOutCaps caps;
  std::string name = "Unknown Device";
  if (device.GetCaps(s->device_id, caps)) {
    name = caps.product_name.substr(0, 31);
  } else {
    caps = WaveOutCaps{};
    caps.channels = 0;  // nothing known: no stereo either
  }
  if (caps.support & kWaveCapsSync) {
    FreeSession(s);
    Fail(name + " is a syncronous (blocking) " +
         "wave output device.  This will not permit audio to play while other " + "applications are running");
  }
  if (ini.GetInt("not compatible", name, 0) != 0) {
    FreeSession(s);
    Fail(name + " is not compatible with " + "the realtime sound mixer");
  }
  std::memcpy(s->settings_section, name.c_str(), name.size() + 1);

  const Settings own = ReadSection(ini, s->settings_section, defaults);
  s->remix = own.remix == 2 ? DelayedStart : FullRemix;
  s->good_position = own.good_position != 0;
  s->block_count = std::clamp(own.blocks, 2, 6);
  SetOutputFormat(s, own, config, caps.channels);
  int length = own.block_length != 0 ? own.block_length : defaults.block_length;
  if (length == 0) length = static_cast<int>(s->format.samples_per_sec / 11025 * 2048);
  s->block_length = std::clamp(length, 512, kBlockBytes);
  return s;
}

TMixSession* MixerInit(WaveOutDevice& device, const std::string& ini_path) {
  TMixConfig config;
  config.size = 10;
  config.flags = 0;
  return InitSession(device, ini_path, &config);
}

void EndSession(TMixSession* session) {
  TMixSession* s = CheckSession(session);
  MixerActivate(s, false);
  CloseChannels(s, 0, kFlushAll);
  FreeSession(s);
}
