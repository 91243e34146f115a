// Breaking text into lines that fit a width on the canvas, and checking that
// a text fits the box the game shows it in.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"

// The UTF-8 characters of `text`, one string each.
std::vector<std::string> SplitCharacters(const std::string& text);

// Lines of at most `width` pixels in `font`: a new line at every
// line break (CR LF, CR or LF); where a line grows too wide, Japanese breaks
// between characters by its rules (no line starts with 、。ー」 and their
// kin, none ends with 「 and its kin, the last line is not one lone
// character when a break further back avoids it) and Latin text breaks at
// spaces, inside a word only when the word alone is wider than a line.
std::vector<std::string> WrapText(const std::string& text, int width, const TFont& font);

// A place the game shows text in.
struct TextBox {
  int width;      // pixels a line may take
  int max_lines;  // lines the box shows; 1 for a one-line label, which never wraps
};

// Whether `text` in `font` fits `box`: wrapped as WrapText wraps it (one-line
// boxes: as it stands), no line wider than the box, no more lines than it
// shows, and no line cut inside a word or against the rules.
bool TextFits(const std::string& text, const TextBox& box, const TFont& font);
