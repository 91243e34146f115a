// Program entry: the shop's window, until the player closes it.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/form.h"
#include "platform/platform.h"

static std::string ExecutableDir(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return self.parent_path().string() + "/";
}

int main(int /*argc*/, char** argv) {
  // Past a file-size limit a write should fail (the save then says the disk
  // is full) instead of the signal killing the shop with unsaved progress.
  std::signal(SIGXFSZ, SIG_IGN);
  auto platform = CreateSdlPlatform(ExecutableDir(argv[0]));
  if (!platform) return 1;
  auto form = std::make_unique<TForm1>(*platform);
  bool started = form->FormCreate();
  if (started) form->Run();
  form->FormDestroy();
  return started ? 0 : 1;
}
