// Loading the scene's pictures into their slots. A picture that cannot be
// read leaves the slot as it was; nothing is reported.
#include "app/form.h"

namespace {

constexpr const char* kEmptyPicture = "not.bmp";

}  // namespace

bool TForm1::LoadSlot(int slot, const std::string& path) {
  if (slot < 0 || slot >= kPictureSlots) return false;
  Bitmap& picture = picture_slots[slot];
  if (!picture.LoadFromFile(path)) return false;
  picture.transparent = true;
  picture.auto_key = true;
  return true;
}

void TForm1::LoadScenePicture(const std::string& name) {
  if (!haikei.LoadFromFile(CgPath(name))) return;
  // Scene pictures are drawn 195 x 130 and shown at twice that size.
  Bitmap& scene = picture_slots[kSceneSlot];
  if (scene.Width() != kSceneWidth || scene.Height() != kSceneHeight) {
    scene.SetSize(kSceneWidth, kSceneHeight);
  }
  scene.CopyRect(0, 0, kSceneWidth, kSceneHeight, haikei, 0, 0, kSceneWidth / 2, kSceneHeight / 2);
  LoadCustomerPicture(kEmptyPicture);
  SetShopFront(kEmptyPicture);
  LoadPackagePicture(kEmptyPicture);
  LoadSealPicture(kEmptyPicture);
}

void TForm1::LoadCustomerPicture(const std::string& name) {
  LoadSlot(kCustomerSlot, CgPath(name));
}

void TForm1::LoadPackagePicture(const std::string& name) {
  LoadSlot(kPackageSlot, CgPath(name));
  // The goods card follows the name asked for, loaded or not.
  goods_card_state = name != kEmptyPicture ? GoodsCard::In : GoodsCard::None;
}

void TForm1::LoadSealPicture(const std::string& name) {
  LoadSlot(kSealSlot, CgPath(name));
}

void TForm1::SetShopFront(const std::string& name) {
  shop_front_shown = name != kEmptyPicture;
}

void TForm1::ShowShopScene() {
  LoadScenePicture("haikei2.bmp");
  LoadCustomerPicture(kEmptyPicture);
  LoadPackagePicture(kEmptyPicture);
  LoadSealPicture(kEmptyPicture);
  SetShopFront("haikei.bmp");
}
