// Breaking text into lines that fit a width on the canvas.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"

// The UTF-8 characters of `text`, one string each.
std::vector<std::string> SplitCharacters(const std::string& text);

// Lines of at most `width` pixels in the canvas's font: a new line at every
// line break (CR LF, CR or LF), and where a line grows too wide, between
// words when it has a space, otherwise between any two characters.
std::vector<std::string> WrapText(Bitmap& canvas, const std::string& text, int width);
