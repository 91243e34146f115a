// Where the player's files go: portable beside the game, or installed with
// the progress in the XDG folders of a home made for each test.
#include "app/player_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/form.h"
#include "platform/headless/headless_platform.h"
#include "save/save_files.h"
#include "tests/app/read_all.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class PlayerFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    root_ = fs::temp_directory_path() /
            ("picolatte_files_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    // An installed tree: prefix/games/picolatte, prefix/share/games/picolatte.
    prefix_ = root_ / "usr";
    fs::create_directories(prefix_ / "games");
    share_ = prefix_ / "share/games/picolatte";
    fs::create_directories(share_ / "cg");
    WriteFile(share_ / "dat/my.dat", "shipped progress\r\n");
    WriteFile(share_ / "dat/name.dat", "shipped names\r\n");
    WriteFile(share_ / "SOUNDMIX.INI", "[default]\r\n");
    home_ = root_ / "home";
    fs::create_directories(home_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }

  std::string Games() const { return (prefix_ / "games").string() + "/"; }
  HomeEnvironment Env() const { return {home_.string(), "", ""}; }

  fs::path root_, prefix_, share_, home_;
};

TEST_F(PlayerFilesTest, FolderWithWritableDatIsPortable) {
  fs::path game = root_ / "unpacked";
  fs::create_directories(game / "dat");
  fs::create_directories(game / "cg");
  PlayerFiles files = LocatePlayerFiles(game.string() + "/", Env());
  EXPECT_FALSE(files.installed);
  GamePaths portable = PortablePaths(game.string() + "/");
  EXPECT_EQ(files.paths.cg, portable.cg);
  EXPECT_EQ(files.paths.dat, portable.dat);
  EXPECT_EQ(files.paths.save, portable.save);
  EXPECT_EQ(files.paths.sheet, portable.sheet);
  EXPECT_EQ(files.paths.mixer_ini, portable.mixer_ini);
  EXPECT_EQ(files.settings, game.string() + "/settings.ini");
  EXPECT_TRUE(files.problems.empty());
  EXPECT_FALSE(fs::exists(home_ / ".local")) << "portable play must not touch the home";
}

TEST_F(PlayerFilesTest, InstalledTreeReadsShareAndSavesUnderDefaultXdgFolders) {
  PlayerFiles files = LocatePlayerFiles(Games(), Env());
  ASSERT_TRUE(files.installed);
  EXPECT_TRUE(files.problems.empty());
  EXPECT_EQ(files.paths.cg, share_.string() + "/cg/");
  EXPECT_EQ(files.paths.dat, share_.string() + "/dat/");
  std::string save = home_.string() + "/.local/share/picolatte/";
  EXPECT_EQ(files.paths.save, save);
  EXPECT_EQ(files.paths.sheet, save + "成績.txt");
  EXPECT_EQ(files.paths.mixer_ini, share_.string() + "/SOUNDMIX.INI");
  EXPECT_EQ(files.settings, home_.string() + "/.config/picolatte/settings.ini");
  EXPECT_EQ(ReadAll(save + "my.dat"), "shipped progress\r\n");
  EXPECT_EQ(ReadAll(save + "name.dat"), "shipped names\r\n");
  // The copies belong to the player, who must be able to save over them.
  EXPECT_EQ(access((save + "my.dat").c_str(), W_OK), 0);
}

TEST_F(PlayerFilesTest, ShippedCopiesAreMadeWritableEvenFromReadOnlyDefaults) {
  fs::permissions(share_ / "dat/my.dat",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  PlayerFiles files = LocatePlayerFiles(Games(), Env());
  auto perms = fs::status(files.paths.save + "my.dat").permissions();
  EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST_F(PlayerFilesTest, RelocatedTreeAndSymlinkedPrefixStillFindTheirData) {
  fs::path moved = root_ / "elsewhere";
  fs::rename(prefix_, moved);
  PlayerFiles files = LocatePlayerFiles((moved / "games").string() + "/", Env());
  ASSERT_TRUE(files.installed);
  EXPECT_EQ(files.paths.cg, (moved / "share/games/picolatte/cg/").string());
}

TEST_F(PlayerFilesTest, AbsoluteXdgVariablesWinAndRelativeOnesAreIgnored) {
  HomeEnvironment env = Env();
  env.xdg_data_home = (root_ / "data").string();
  env.xdg_config_home = (root_ / "config").string();
  PlayerFiles files = LocatePlayerFiles(Games(), env);
  EXPECT_EQ(files.paths.save, (root_ / "data/picolatte/").string());
  EXPECT_EQ(files.settings, (root_ / "config/picolatte/settings.ini").string());
  EXPECT_TRUE(fs::exists(root_ / "data/picolatte/my.dat"));

  env.xdg_data_home = "relative/data";
  env.xdg_config_home = "relative/config";
  files = LocatePlayerFiles(Games(), env);
  EXPECT_EQ(files.paths.save, home_.string() + "/.local/share/picolatte/");
  EXPECT_EQ(files.settings, home_.string() + "/.config/picolatte/settings.ini");
}

TEST_F(PlayerFilesTest, PlayersMixerSettingsComeFirst) {
  WriteFile(home_ / ".config/picolatte/SOUNDMIX.INI", "[default]\r\nWaveBlocks=4\r\n");
  PlayerFiles files = LocatePlayerFiles(Games(), Env());
  EXPECT_EQ(files.paths.mixer_ini, home_.string() + "/.config/picolatte/SOUNDMIX.INI");
}

TEST_F(PlayerFilesTest, PlayersFilesAreNeverReplacedByTheShippedOnes) {
  fs::path save = home_ / ".local/share/picolatte";
  WriteFile(save / "my.dat", "my own progress\r\n");
  PlayerFiles files = LocatePlayerFiles(Games(), Env());
  EXPECT_TRUE(files.problems.empty());
  EXPECT_EQ(ReadAll(save / "my.dat"), "my own progress\r\n");
  // The missing one is still filled in.
  EXPECT_EQ(ReadAll(save / "name.dat"), "shipped names\r\n");
  // A second start (an upgrade with new defaults) keeps both.
  WriteFile(share_ / "dat/my.dat", "newer shipped progress\r\n");
  LocatePlayerFiles(Games(), Env());
  EXPECT_EQ(ReadAll(save / "my.dat"), "my own progress\r\n");
}

TEST_F(PlayerFilesTest, UnwritableHomeIsReportedAndPlayGoesOnFromTheDefaults) {
  // A file where the data folder should be: no one, root included, can
  // make folders below it.
  WriteFile(root_ / "blocked", "");
  HomeEnvironment env = Env();
  env.xdg_data_home = (root_ / "blocked").string();
  PlayerFiles files = LocatePlayerFiles(Games(), env);
  ASSERT_TRUE(files.installed);
  ASSERT_EQ(files.problems.size(), 1u);
  EXPECT_NE(files.problems[0].find("blocked/picolatte"), std::string::npos) << files.problems[0];
  // Saves still go to the player's folder (and fail there), never to the shipped tree.
  EXPECT_EQ(files.paths.save, (root_ / "blocked/picolatte/").string());
  EXPECT_EQ(files.paths.dat, share_.string() + "/dat/");
}

// A first start whose copy of the shipped progress is cut short (a full disk,
// a file-size limit) must not leave half a my.dat: that would pass for the
// player's own file at every later start and never be copied again.
TEST_F(PlayerFilesTest, ACopyCutShortLeavesNoHalfFileAndTheNextStartCopiesAgain) {
  const std::string shipped(20000, 'p');
  WriteFile(share_ / "dat/my.dat", shipped);
  const fs::path save = home_ / ".local/share/picolatte";
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    PlayerFiles files = LocatePlayerFiles(Games(), Env());
    _exit(files.problems.size() == 1 && files.paths.save == save.string() + "/" ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed copy is reported and the save folder stays the player's";
  EXPECT_FALSE(fs::exists(save / "my.dat"));

  PlayerFiles files = LocatePlayerFiles(Games(), Env());
  EXPECT_TRUE(files.problems.empty());
  EXPECT_TRUE(ReadAll((save / "my.dat").string()) == shipped) << "a whole copy";
}

TEST_F(PlayerFilesTest, NoHomeAtAllIsReported) {
  PlayerFiles files = LocatePlayerFiles(Games(), HomeEnvironment{});
  ASSERT_TRUE(files.installed);
  ASSERT_EQ(files.problems.size(), 1u);
  EXPECT_NE(files.problems[0].find("HOME"), std::string::npos);
  EXPECT_EQ(files.settings, "");
}

TEST_F(PlayerFilesTest, ReadOnlyDatBesideTheGameIsNotPortable) {
  // A dat/ folder that cannot be written (an installed copy of a portable
  // folder) sends the progress to the home when the share tree is there.
  if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  fs::create_directories(prefix_ / "games/dat");
  fs::permissions(prefix_ / "games/dat", fs::perms::owner_read | fs::perms::owner_exec);
  PlayerFiles files = LocatePlayerFiles(Games(), Env());
  EXPECT_TRUE(files.installed);
}

// A home that cannot take the progress: the game reads the shipped defaults,
// and the save's board names the player's own my.dat with the real reason
// (each case in a child: a file-size limit, an ordinary user without root's
// rights). Nothing in the shipped tree is written.
TEST_F(PlayerFilesTest, FailedSaveNamesThePlayersFolderAndItsReason) {
  tmy shipped;
  shipped.play_count = 4;
  WriteFile(share_ / "dat/my.dat", FormatProgress(shipped));
  const fs::path data = home_ / ".local/share/picolatte";
  struct Case {
    const char* what;
    std::function<void()> in_child;
    const char* message;
  };
  const Case cases[] = {
      {"file-size limit (a full disk)",
       [] {
         std::signal(SIGXFSZ, SIG_IGN);
         rlimit limit{1024, 1024};  // below my.dat's 3 KB
         setrlimit(RLIMIT_FSIZE, &limit);
       },
       "ﾃﾞｨｽｸがいっぱいです"},
      {"folder the player may not write",
       [&] {
         fs::create_directories(data);
         fs::permissions(data, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
         if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(91);
       },
       "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
  };
  for (const Case& c : cases) {
    fs::remove_all(home_ / ".local");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      c.in_child();
      PlayerFiles files = LocatePlayerFiles(Games(), Env());
      HeadlessPlatform platform(Games());
      platform.on_idle = [](HeadlessPlatform& p) { p.Key(KeyCode::Escape, 100); };
      TForm1 form(platform, files.paths);
      if (!form.LoadProgress() || form.my.play_count != 4) _exit(2);
      if (form.SaveProgress()) _exit(3);
      std::printf("%s\n", form.dialog.text.c_str());
      _exit(form.dialog.text == std::string(c.message) + "\n" + data.string() + "/my.dat" ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.what << ": status " << status;
    std::vector<std::string> shipped_files;
    for (const auto& entry : fs::recursive_directory_iterator(share_)) shipped_files.push_back(entry.path());
    EXPECT_EQ(shipped_files.size(), 5u) << c.what << ": the shipped tree was written";
  }
}

}  // namespace
