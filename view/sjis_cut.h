// The goods card's description lines: 22 bytes each as the Shift-JIS text
// counts them, the rest on the third line.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> CutDescriptionLines(const std::string& utf8);
