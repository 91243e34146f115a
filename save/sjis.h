// The game's texts are UTF-8 in memory and Shift-JIS (code page 932) in its
// files and wherever a length is counted in bytes. These helpers convert
// between the two and cut texts at Shift-JIS byte counts.
#pragma once

#include <string>
#include <vector>

// UTF-8 to CP932. A character CP932 lacks, or a broken UTF-8 sequence,
// becomes '?'.
std::string Utf8ToSjis(const std::string& utf8);
// CP932 to UTF-8. A byte that starts no valid CP932 character becomes U+FFFD.
std::string SjisToUtf8(const std::string& sjis);

// Bytes of the text's Shift-JIS form.
int SjisLength(const std::string& utf8);

// Cuts a text into cuts.size() + 1 lines at Shift-JIS byte positions, e.g.
// {22, 44}: line 1 holds bytes 1-22, line 2 the next 22 bytes, line 3 the
// rest. A two-byte character that would be split by a cut goes whole to the
// next line, so that line starts where the shorter one ended. Lines come
// back in UTF-8; lines past the end of the text are empty.
std::vector<std::string> CutSjisLines(const std::string& utf8, const std::vector<int>& cuts);
