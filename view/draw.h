// The scene's pieces, each in two steps: Update* moves its animation on by
// one frame, Draw* paints it from the state as it stands and changes nothing
// but the canvas it paints on.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "content/tables.h"
#include "game/progress.h"
#include "platform/bitmap.h"
#include "view/scene.h"

// Where hearts lit the light layer since it was last cleared (left, top,
// right, bottom); it is black everywhere else. `everywhere`: a drawing that
// may have reached anywhere (a heart cut by the edge).
struct LitAreas {
  std::vector<std::array<int, 4>> areas;
  bool everywhere = true;
};

// A text as the player reads it (in the language chosen).
using TranslateText = std::function<std::string(const std::string&)>;

// The choice labels: their slide and the press count.
void UpdateChoices(TSceneVars& scene);
// The labels with their marker, and "-CLICK HERE-" while a click is awaited.
void DrawChoices(Bitmap& canvas, const TSceneVars& scene, const Bitmap& marker, const TranslateText& shown);

// The floating texts rise and fade; hearts fly out.
void UpdateEffects(TSceneVars& scene);
// Texts on the canvas, hearts on the light layer.
void DrawEffects(Bitmap& canvas, Bitmap& light, LitAreas& lit, const TSceneVars& scene,
                 const TranslateText& shown);
void DrawHeart(Bitmap& light, LitAreas& lit, int x, int y, int age);

// The panel slides in; its bars and the goods card ease after the frame
// that shows them. `goods`: the goods on the counter, nullptr when none.
void UpdateStatusPanel(TSceneVars& scene, const tmy& my, const titem* goods);
void DrawStatusPanel(Bitmap& canvas, const TSceneVars& scene, const tmy& my, const titem* goods,
                     const TranslateText& shown);
