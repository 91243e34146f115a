// The boxes the game shows names, descriptions and message lines in, with
// the fonts it shows them in. Drawing reads them here, and so does the check
// that every line of the content tables fits its box.
#pragma once

#include <string>

#include "platform/bitmap.h"
#include "view/text_wrap.h"

struct ShownText {
  TextBox box;
  TFont font;
};

// The goods card of the status panel, right-aligned to the panel's edge; a
// long name reaches further left over the scene.
inline constexpr int kGoodsCardRight = 385;    // scene x, before the card's slide
inline constexpr int kGoodsCardWidth = 140;    // pixels, of the description
inline constexpr int kGoodsCardLineStep = 10;  // pixels between description lines
inline const ShownText kGoodsCardName = {{250, 1}, {kGameFace, 9, true, 0xBB0077}};
inline const ShownText kGoodsCardDescription = {{kGoodsCardWidth, 3}, {kGameFace, 8, true, 0xCC2277}};

// The item panel: one entry of the list (a scroll bar takes 8 pixels), a
// long name written smaller down to kItemListSmallest points and, longer
// still, narrowed to fit, to no less than kItemListNarrowest percent of its
// width; and the detail text above the goods' picture.
inline const ShownText kItemListEntry = {{165 - 6 - 8, 1}, {kGameFace, 9, true, 0xEBE9BE}};
inline constexpr int kItemListSmallest = 8;    // points
inline constexpr int kItemListNarrowest = 75;  // percent
inline const ShownText kItemDetail = {{213 - 10, 11}, {kGameFace, 9, true, 0xE7E3C5}};

// The collection viewer's name and description under the seal box.
inline const ShownText kCollectionName = {{390 - 20 - 5, 1}, {kGameFace, 9, true, 0xBB0077}};
inline const ShownText kCollectionDescription = {{390 - 20 - 5, 1}, {kGameFace, 7, true, 0xCC2277}};

// A message line, from its left end at x = 5 to the scene's right edge; a
// longer one goes on in a second line of the log.
inline const ShownText kMessageLine = {{390 - 5 - 2, 2}, {kGameFace, 10, true, 0xFFFFFF}};

// The largest size, from the box's own down to `smallest` points, at which
// `text` fits; 0 when it fits at none.
inline int FittingSize(const std::string& text, const ShownText& shown, int smallest) {
  TFont font = shown.font;
  for (; font.size >= smallest; --font.size)
    if (TextFits(text, shown.box, font)) return font.size;
  return 0;
}
