// Registers the picture generator: every BMP under cg/.
#include "tools/assetgen/pictures.h"

#include "tools/assetgen/assetgen.h"

namespace pic {

void SaveSprite(const std::string& out, const std::string& name, Canvas c, bool outline) {
  if (outline) c.Outline(Ink(), 1.0f);
  c.Harden();
  c.FillPinholes();
  Save(out, name, ToSprite(c));
}

void Twinkle(Canvas& c, float cx, float cy, float r, Col col) {
  c.Draw(Polygon({{cx, cy - r},
                  {cx + r * 0.22f, cy - r * 0.22f},
                  {cx + r, cy},
                  {cx + r * 0.22f, cy + r * 0.22f},
                  {cx, cy + r},
                  {cx - r * 0.22f, cy + r * 0.22f},
                  {cx - r, cy},
                  {cx - r * 0.22f, cy - r * 0.22f}}),
         col);
}

namespace {
void GeneratePictures(const std::string& out) {
  DrawGoods(out);
  DrawWrapping(out);
  DrawSeals(out);
  DrawCustomers(out);
  DrawScenes(out);
  DrawShop(out);
}
}  // namespace

}  // namespace pic

static assetgen::Register reg("pictures", &pic::GeneratePictures);
