// The pictures the asset generator draws, checked the way the game uses them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "content/tables.h"
#include "platform/bitmap.h"

namespace {

namespace fs = std::filesystem;

constexpr Rgb kMagenta = 0xFF00FF;

// Pictures the game flow loads by name, beside those in the content tables.
const char* const kScenes[] = {"title.bmp", "login.bmp",  "title2.bmp", "haikei2.bmp", "ten.bmp",
                               "night.bmp", "night2.bmp", "yoru.bmp",   "yoru2.bmp",   "asa.bmp",
                               "asa2.bmp",  "asa2a.bmp",  "asa3.bmp",   "letter.bmp",  "clear.bmp"};
const char* const kFixed[] = {"box.bmp",    "haikei.bmp",    "seal_box.bmp", "00.bmp",
                              "front2.bmp", "front_mid.bmp", "front3.bmp",   "not.bmp"};

bool Generate(const fs::path& dir) {
  std::string cmd =
      std::string("SDL_VIDEODRIVER=dummy '") + ASSETGEN_PATH + "' '" + dir.string() + "' pictures";
  return std::system(cmd.c_str()) == 0;
}

enum class Role { Scene, Article, Material, Seal, Customer, Other };

class PictureAssets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("picolatte_cg_" + std::to_string(getpid())));
    ASSERT_TRUE(Generate(*dir_));
    auto* goods = new GoodsTable();
    FillGoodsTable(*goods);
    auto* customers = new CustomerTable();
    FillCustomerTable(*customers);
    roles_ = new std::map<std::string, Role>();
    for (const titem& g : *goods) {
      if (g.name.empty()) continue;
      (*roles_)[g.picture] = g.kind == kKindSeal ? Role::Seal : Role::Article;
    }
    for (int i = 0; i < 8; ++i) {
      const WrapStyle* w = WrapStyleFor(i);
      (*roles_)[w->wrapped_picture] = Role::Material;
      (*roles_)[w->folded_picture] = Role::Material;
    }
    for (int i = 200; i < 208; ++i) (*roles_)[(*goods)[i].picture] = Role::Material;
    for (const tman& m : *customers)
      if (!m.name.empty()) (*roles_)[m.picture] = Role::Customer;
    for (const char* s : kScenes) (*roles_)[s] = Role::Scene;
    for (const char* s : kFixed) (*roles_)[s] = Role::Other;
    delete goods;
    delete customers;
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
    delete roles_;
  }
  static Bitmap Load(const std::string& name) {
    Bitmap b;
    EXPECT_TRUE(b.LoadFromFile((*dir_ / "cg" / name).string())) << name;
    return b;
  }
  static fs::path* dir_;
  static std::map<std::string, Role>* roles_;
};
fs::path* PictureAssets::dir_ = nullptr;
std::map<std::string, Role>* PictureAssets::roles_ = nullptr;

TEST_F(PictureAssets, EveryNamedPictureIsThereAndNothingElse) {
  EXPECT_EQ(roles_->size(), 189u);
  std::set<std::string> on_disk;
  for (auto& e : fs::directory_iterator(*dir_ / "cg")) on_disk.insert(e.path().filename().string());
  for (auto& [name, role] : *roles_) {
    EXPECT_TRUE(on_disk.count(name)) << name << " is missing";
    Bitmap b = Load(name);
    EXPECT_FALSE(b.Empty()) << name;
  }
  for (auto& name : on_disk) EXPECT_TRUE(roles_->count(name)) << name << " is not used by the game";
}

TEST_F(PictureAssets, SizesFollowHowTheSceneDrawsThem) {
  for (auto& [name, role] : *roles_) {
    Bitmap b = Load(name);
    int w = b.Width(), h = b.Height();
    switch (role) {
      case Role::Scene:
        EXPECT_TRUE(w == 195 && h == 130) << name << " " << w << "x" << h;
        break;
      case Role::Article:
      case Role::Material:
        // Stretched to a square of twice the width: square pictures keep their shape.
        EXPECT_TRUE(w >= 32 && w <= 44 && w == h) << name << " " << w << "x" << h;
        break;
      case Role::Seal:
        EXPECT_TRUE(w <= 28 && h <= 28 && w >= 20 && h >= 20) << name << " " << w << "x" << h;
        break;
      case Role::Customer:
        EXPECT_TRUE(w >= 50 && w <= 70 && h >= 60 && h <= 90) << name << " " << w << "x" << h;
        break;
      case Role::Other:
        break;
    }
  }
  Bitmap back = Load("00.bmp"), front = Load("front2.bmp"), mid = Load("front_mid.bmp"),
         right = Load("front3.bmp");
  EXPECT_TRUE(back.Width() == 390 && back.Height() == 260);
  EXPECT_TRUE(front.Width() == 390 && front.Height() == 110);
  EXPECT_TRUE(mid.Width() == 390 && mid.Height() <= 50);
  EXPECT_TRUE(right.Width() <= 130 && right.Height() <= 150);
  Bitmap marker = Load("box.bmp");
  EXPECT_TRUE(marker.Width() <= 32 && marker.Height() <= 44);
}

// A sprite is drawn with the colour of its bottom-left pixel as the key. That
// key must not turn up inside the drawing, where it would punch holes.
TEST_F(PictureAssets, SpritesKeepTheirKeyOutOfTheDrawing) {
  for (auto& [name, role] : *roles_) {
    if (role == Role::Scene || name == "00.bmp" || name == "front2.bmp" || name == "haikei.bmp" ||
        name == "front_mid.bmp" || name == "not.bmp")
      continue;
    Bitmap b = Load(name);
    Rgb key = b.Pixel(0, b.Height() - 1);
    EXPECT_EQ(key, kMagenta) << name;
    int drawn = 0, holes = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        if (b.Pixel(x, y) != key) {
          ++drawn;
          continue;
        }
        bool enclosed = x > 0 && y > 0 && x + 1 < b.Width() && y + 1 < b.Height() &&
                        b.Pixel(x - 1, y) != key && b.Pixel(x + 1, y) != key && b.Pixel(x, y - 1) != key &&
                        b.Pixel(x, y + 1) != key;
        holes += enclosed;
      }
    EXPECT_EQ(holes, 0) << name;
    EXPECT_GT(drawn, b.Width() * b.Height() / 5) << name << " is nearly empty";
  }
}

TEST_F(PictureAssets, ShopPiecesFitTogether) {
  // The counter top is drawn with black as its key: its slab must hold no black.
  Bitmap mid = Load("front_mid.bmp");
  int slab_black = 0;
  for (int y = mid.Height() - 10; y < mid.Height(); ++y)
    for (int x = 0; x < mid.Width(); ++x) slab_black += mid.Pixel(x, y) == 0x000000;
  EXPECT_EQ(slab_black, 0);
  EXPECT_EQ(mid.Pixel(195, 0), 0x000000u) << "the customer must show above the counter";

  // Customers stand behind the counter: their bottom row is body, not air.
  for (auto& [name, role] : *roles_) {
    if (role != Role::Customer) continue;
    Bitmap b = Load(name);
    EXPECT_NE(b.Pixel(b.Width() / 2, b.Height() - 1), b.Pixel(0, b.Height() - 1)) << name;
  }

  // The seal box: every visible cell and the label lines lie on the album.
  Bitmap box = Load("seal_box.bmp");
  Rgb key = box.Pixel(0, box.Height() - 1);
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 10; ++col) EXPECT_NE(box.Pixel(20 + 30 * col + 14, 20 + 30 * row + 14), key);
  EXPECT_NE(box.Pixel(24, 214), key);
  EXPECT_NE(box.Pixel(24, 229), key);
}

// Where a seal's words name its colour, most of what is drawn has that colour
// (the die-cut edge and the ink line left out): a red tulip is not pink, a
// black cat is not grey.
TEST_F(PictureAssets, SealsAreTheColourTheirWordsName) {
  auto red = [](Rgb c) { return (c >> 16 & 0xFF) > 150 && (c >> 8 & 0xFF) < 90 && (c & 0xFF) < 90; };
  auto black = [](Rgb c) { return (c >> 16 & 0xFF) < 0x30 && (c >> 8 & 0xFF) < 0x30 && (c & 0xFF) < 0x30; };
  struct Case {
    int goods;
    const char* word;
    std::function<bool(Rgb)> colour;
  };
  const Case cases[] = {{122, "赤い", red}, {137, "黒猫", black}};
  GoodsTable goods;
  FillGoodsTable(goods);
  for (const Case& k : cases) {
    const titem& g = goods[size_t(k.goods)];
    ASSERT_NE((g.name + g.description).find(k.word), std::string::npos)
        << g.picture << " no longer says " << k.word;
    Bitmap b = Load(g.picture);
    Rgb key = b.Pixel(0, b.Height() - 1);
    int drawn = 0, coloured = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        Rgb p = b.Pixel(x, y);
        if (p == key || p == 0xFFFFFF || p == 0xA49AB4 || p == 0x3B2A3F) continue;
        ++drawn;
        coloured += k.colour(p);
      }
    EXPECT_GT(coloured * 2, drawn) << g.picture << " is not " << k.word << " enough";
  }
}

TEST_F(PictureAssets, EmptyLayerDrawsNothing) {
  Bitmap nothing = Load("not.bmp");
  nothing.transparent = true;
  Bitmap canvas(40, 40);
  canvas.brush_color = 0x336699;
  canvas.FillRect(0, 0, 40, 40);
  canvas.StretchDraw(0, 0, 40, 40, nothing);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(canvas.Pixel(x, y), 0x336699u);
}

TEST_F(PictureAssets, GenerationIsDeterministic) {
  fs::path again = *dir_ / "again";
  ASSERT_TRUE(Generate(again));
  int compared = 0;
  for (auto& e : fs::directory_iterator(*dir_ / "cg")) {
    std::ifstream a(e.path(), std::ios::binary), b(again / "cg" / e.path().filename(), std::ios::binary);
    std::string da((std::istreambuf_iterator<char>(a)), {}), db((std::istreambuf_iterator<char>(b)), {});
    EXPECT_TRUE(!da.empty() && da == db) << e.path().filename();
    ++compared;
  }
  EXPECT_EQ(compared, 189);
}

}  // namespace
