// Reading a compiled catalogue (GNU MO) and laying it over the shown texts.
#include "app/lang.h"

#include <algorithm>
#include <cstdint>

const char* LanguageCode(Language language) {
  return language == Language::English ? "en" : "ja";
}

bool ParseLanguage(const std::string& code, Language& language) {
  if (code == "ja") {
    language = Language::Japanese;
  } else if (code == "en") {
    language = Language::English;
  } else {
    return false;
  }
  return true;
}

std::string CatalogueFile(Language language) {
  return language == Language::Japanese ? "" : std::string(LanguageCode(language)) + ".mo";
}

namespace {

constexpr uint32_t kMoMagic = 0x950412de;
constexpr int kMaxDepth = 2;  // a name inside a line inside a line

// Splits a template's msgid into literal runs and holes; "%%" is a literal
// '%'. False for a conversion the game never builds.
bool ParsePieces(const std::string& id, std::vector<std::string>& literals, std::string& holes) {
  literals.assign(1, "");
  holes.clear();
  for (size_t i = 0; i < id.size(); ++i) {
    if (id[i] != '%') {
      literals.back() += id[i];
      continue;
    }
    if (i + 1 >= id.size()) return false;
    char c = id[++i];
    if (c == '%') {
      literals.back() += '%';
    } else if (c == 'd' || c == 's') {
      holes += c;
      literals.emplace_back();
    } else {
      return false;
    }
  }
  return true;
}

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Matches pieces[k..] against text[at..], filling `captures`.
template <typename Piece>
bool Match(const std::vector<Piece>& pieces, size_t k, const std::string& text, size_t at,
           std::vector<std::string>& captures) {
  if (k == pieces.size()) return at == text.size();
  const Piece& p = pieces[k];
  if (!p.hole) {
    if (text.compare(at, p.text.size(), p.text) != 0) return false;
    return Match(pieces, k + 1, text, at + p.text.size(), captures);
  }
  size_t end = at;
  if (p.hole == 'd') {
    if (end < text.size() && text[end] == '-') ++end;
    size_t digits = end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == digits) return false;
    // A number is whole: the next piece never starts with a digit here.
    captures.push_back(text.substr(at, end - at));
    if (Match(pieces, k + 1, text, end, captures)) return true;
    captures.pop_back();
    return false;
  }
  // Words: the shortest run that lets the rest match, on character bounds.
  for (end = at + 1; end <= text.size(); ++end) {
    if (end < text.size() && IsContinuation(text[end])) continue;
    captures.push_back(text.substr(at, end - at));
    if (Match(pieces, k + 1, text, end, captures)) return true;
    captures.pop_back();
  }
  return false;
}

}  // namespace

bool TCatalogue::Load(const std::string& bytes, std::string& why) {
  exact_.clear();
  templates_.clear();
  auto u32 = [&](size_t at, uint32_t& v) {
    if (at > bytes.size() || bytes.size() - at < 4) return false;
    v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return true;
  };
  auto text = [&](uint32_t table, uint32_t n, std::string& out) {
    uint32_t length = 0, offset = 0;
    if (!u32(table + 8ull * n, length) || !u32(table + 8ull * n + 4, offset)) return false;
    if (offset > bytes.size() || bytes.size() - offset < length) return false;
    out.assign(bytes, offset, length);
    return true;
  };
  uint32_t magic = 0, revision = 0, count = 0, ids = 0, strs = 0;
  if (!u32(0, magic) || magic != kMoMagic) {
    why = "not a catalogue (MO file, little-endian)";
    return false;
  }
  if (!u32(4, revision) || !u32(8, count) || !u32(12, ids) || !u32(16, strs) || revision >> 16 != 0) {
    why = "catalogue header is damaged";
    return false;
  }
  for (uint32_t n = 0; n < count; ++n) {
    std::string id, str;
    if (!text(ids, n, id) || !text(strs, n, str)) {
      why = "catalogue entry " + std::to_string(n) + " lies outside the file";
      exact_.clear();
      templates_.clear();
      return false;
    }
    // The header, plural forms and contexts are not used by the game.
    if (id.empty() || str.empty() || id.find('\0') != std::string::npos || id.find('\4') != std::string::npos)
      continue;
    if (id.find('%') == std::string::npos) {
      exact_[id] = str;
      continue;
    }
    std::vector<std::string> literals;
    std::string holes;
    if (!ParsePieces(id, literals, holes)) continue;
    Template t;
    t.msgstr = str;
    for (size_t i = 0; i < literals.size(); ++i) {
      if (!literals[i].empty()) t.pieces.push_back({0, literals[i]});
      t.literal_bytes += literals[i].size();
      if (i < holes.size()) t.pieces.push_back({holes[i], ""});
    }
    templates_.push_back(std::move(t));
  }
  std::stable_sort(templates_.begin(), templates_.end(),
                   [](const Template& a, const Template& b) { return a.literal_bytes > b.literal_bytes; });
  return true;
}

std::string TCatalogue::Fill(const Template& t, const std::vector<std::string>& captures, int depth) const {
  std::string out;
  size_t next = 0;
  const std::string& s = t.msgstr;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%' || i + 1 >= s.size()) {
      out += s[i];
      continue;
    }
    size_t j = i + 1;
    if (s[j] == '%') {
      out += '%';
      i = j;
      continue;
    }
    size_t which = next;
    if (s[j] >= '1' && s[j] <= '9' && j + 1 < s.size() && s[j + 1] == '$') {
      which = static_cast<size_t>(s[j] - '1');
      j += 2;
    } else {
      ++next;
    }
    if (j >= s.size() || (s[j] != 'd' && s[j] != 's') || which >= captures.size()) {
      out += s[i];
      continue;
    }
    out += s[j] == 's' ? TranslateLine(captures[which], depth + 1) : captures[which];
    i = j;
  }
  return out;
}

std::string TCatalogue::TranslateLine(const std::string& line, int depth) const {
  if (line.empty()) return line;
  auto found = exact_.find(line);
  if (found != exact_.end()) return found->second;
  if (depth >= kMaxDepth) return line;
  std::vector<std::string> captures;
  for (const Template& t : templates_) {
    captures.clear();
    if (Match(t.pieces, 0, line, 0, captures)) return Fill(t, captures, depth);
  }
  return line;
}

std::string TCatalogue::Translate(const std::string& text) const {
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out += TranslateLine(text.substr(start, end - start), 0);
    if (end == text.size()) break;
    size_t after = end + 1;
    if (text[end] == '\r' && after < text.size() && text[after] == '\n') ++after;
    out.append(text, end, after - end);
    start = after;
  }
  return out;
}

std::string TTranslator::Shown(const std::string& text) const {
  if (language_ == Language::Japanese) return text;
  // A long game shows many different lines; the few of this moment stay.
  if (shown_.size() > 4096) shown_.clear();
  auto found = shown_.find(text);
  if (found == shown_.end()) found = shown_.emplace(text, catalogue_.Translate(text)).first;
  return found->second;
}
