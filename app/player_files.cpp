// The portable and installed layouts of the player's files.
#include "app/player_files.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "save/save_files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kShareDir = "../share/games/picolatte/";
constexpr const char* kMixerIniName = "SOUNDMIX.INI";
constexpr const char* kSettingsName = "settings.ini";

bool WritableDir(const std::string& dir) {
  std::error_code ec;
  return fs::is_directory(dir, ec) && access(dir.c_str(), W_OK) == 0;
}

std::string WithSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// An XDG variable counts only when it holds an absolute path; otherwise the
// default below the home folder applies. Empty when there is no home either.
std::string BaseDir(const std::string& variable, const std::string& home, const char* fallback) {
  if (!variable.empty() && variable.front() == '/') return WithSlash(variable);
  if (!home.empty() && home.front() == '/') return WithSlash(home) + fallback;
  return "";
}

// Creates `dir` (with its parents) and checks that a file can be made in it.
bool MakeWritableDir(const std::string& dir, std::string& why) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    why = ec.message();
    return false;
  }
  if (access(dir.c_str(), W_OK) != 0) {
    why = std::strerror(errno);
    return false;
  }
  return true;
}

// Copies a shipped default unless the player already has the file.
bool CopyIfMissing(const std::string& from, const std::string& to, std::string& why) {
  std::error_code ec, ignored;
  if (fs::exists(to, ec)) return true;
  fs::copy_file(from, to, fs::copy_options::none, ec);
  if (ec == std::errc::file_exists) return true;  // another start made it meanwhile
  if (ec) {
    // A copy cut short (a full disk) must not pass for the player's progress.
    fs::remove(to, ignored);
    why = ec.message();
    return false;
  }
  // The shipped file is read-only; the player's copy must not be.
  fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  return true;
}

void PrepareSaveFolder(PlayerFiles& files, const std::string& save_dir) {
  const std::string shipped_dat = files.shipped + "dat/";
  std::string why;
  if (save_dir.empty()) {
    files.problems.push_back("no home folder ($HOME is not set): progress cannot be saved");
    return;  // nothing to save to; the shipped defaults are read
  }
  // The progress is saved to the player's folder even when it cannot be made
  // or filled now: a save then tells why (access denied, disk full) about
  // that folder, and the shipped tree is never written.
  files.paths.save = save_dir;
  files.paths.sheet = save_dir + kResultsSheetName;
  if (!MakeWritableDir(save_dir, why)) {
    files.problems.push_back("cannot write " + save_dir + " (" + why + "): progress cannot be saved");
    return;
  }
  for (const char* name : {kMyDatName, kNameDatName}) {
    if (!CopyIfMissing(shipped_dat + name, save_dir + name, why))
      files.problems.push_back("cannot copy " + shipped_dat + name + " to " + save_dir + " (" + why + ")");
  }
}

}  // namespace

PlayerFiles LocatePlayerFiles(const std::string& exe_dir, const HomeEnvironment& env) {
  PlayerFiles files;
  const std::string base = WithSlash(exe_dir);
  const std::string share = fs::path(base + kShareDir).lexically_normal().string();
  std::error_code ec;
  if (WritableDir(base + "dat") || !fs::is_directory(share + "cg", ec)) {
    files.paths = PortablePaths(base);
    files.shipped = base;
    files.settings = base + kSettingsName;
    return files;
  }
  files.installed = true;
  files.shipped = share;
  files.paths.cg = share + "cg/";
  files.paths.dat = share + "dat/";

  std::string data_home = BaseDir(env.xdg_data_home, env.home, ".local/share/");
  PrepareSaveFolder(files, data_home.empty() ? "" : data_home + "picolatte/");

  std::string config_home = BaseDir(env.xdg_config_home, env.home, ".config/");
  std::string config_dir = config_home.empty() ? "" : config_home + "picolatte/";
  files.paths.mixer_ini = share + kMixerIniName;
  if (!config_dir.empty() && fs::exists(config_dir + kMixerIniName, ec))
    files.paths.mixer_ini = config_dir + kMixerIniName;
  files.settings = config_dir.empty() ? "" : config_dir + kSettingsName;
  return files;
}

HomeEnvironment CurrentHomeEnvironment() {
  auto get = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  HomeEnvironment env{get("HOME"), get("XDG_DATA_HOME"), get("XDG_CONFIG_HOME")};
  if (env.home.empty()) {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) env.home = pw->pw_dir;
  }
  return env;
}
