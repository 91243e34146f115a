// The language the shop talks in. The game holds every text in Japanese and
// keeps it that way (saves, choices compared as commands, the results
// sheet); English is laid over what is shown, from po/en.po compiled into
// dat/en.mo when the game is built.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

enum class Language { Japanese, English };

// "ja" and "en", as settings.ini, --lang= and the page's ?lang= write them.
const char* LanguageCode(Language language);
bool ParseLanguage(const std::string& code, Language& language);
// The file in dat/ that holds a language's texts; empty for Japanese.
std::string CatalogueFile(Language language);

// Translations read from a GNU MO file. A msgid holding a '%' is a template
// ("お金 %d円を入手"): a shown text that matches it is translated with the
// numbers (%d) carried over and the words (%s) translated in turn. msgstr
// may reorder them with %1$s.
class TCatalogue {
 public:
  // False with `why` when the bytes are not an MO file (nothing is kept).
  bool Load(const std::string& bytes, std::string& why);
  size_t size() const { return exact_.size() + templates_.size(); }
  // The translation of one shown text, line by line (CR, LF or CR LF kept
  // as they are); a line without a translation stays as it is.
  std::string Translate(const std::string& text) const;

 private:
  struct Piece {
    char hole = 0;  // 0: `text` is literal; 'd' a number; 's' words
    std::string text;
  };
  struct Template {
    std::vector<Piece> pieces;
    std::string msgstr;
    size_t literal_bytes = 0;  // more literal = more specific, tried first
  };
  std::string TranslateLine(const std::string& line, int depth) const;
  std::string Fill(const Template& t, const std::vector<std::string>& captures, int depth) const;
  std::unordered_map<std::string, std::string> exact_;
  std::vector<Template> templates_;
};

// The catalogue of the chosen language, with what it showed remembered (the
// same few texts are drawn every frame).
class TTranslator {
 public:
  Language language() const { return language_; }
  // Texts then show in `language`; a language without a catalogue shows
  // Japanese.
  void Select(Language language) {
    language_ = language;
    shown_.clear();
  }
  const TCatalogue& catalogue() const { return catalogue_; }
  void SetCatalogue(TCatalogue catalogue) {
    catalogue_ = std::move(catalogue);
    shown_.clear();
  }
  // `text` as the player reads it now (a copy: what was shown before may be
  // forgotten by the next call). Remembers the translations it looked up.
  std::string Shown(const std::string& text) const;

 private:
  Language language_ = Language::Japanese;
  TCatalogue catalogue_;
  mutable std::unordered_map<std::string, std::string> shown_;  // a memo only
};
