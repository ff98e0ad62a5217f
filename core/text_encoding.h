#pragma once
// How the 8-bit text of a language file is understood, and the two things
// done with it: folding a key for the case-blind test, and decoding it for
// display. The bytes themselves are never changed.

#include <memory>
#include <string>
#include <string_view>

namespace ulmar {

// The legacy Windows code page that stands for the user's locale language:
// "windows-1251" for ru_RU, "windows-932" for ja_JP, "windows-1252" when the
// language has none of its own (and for C and POSIX).
std::string legacyCodePageForLocale(std::string_view localeName);

// The user's locale name as the environment gives it (LC_ALL, LC_CTYPE, LANG,
// the first set); "C" when none is set.
std::string userLocaleName();

// One file's text encoding: UTF-8 when all of its bytes are valid UTF-8,
// otherwise the legacy code page of the user's locale.
class TextEncoding {
public:
  static TextEncoding utf8();
  static TextEncoding legacy(std::string codePage);
  static TextEncoding userLegacy();

  bool isUtf8() const { return codePage_.empty(); }
  // "UTF-8" or the ICU converter name of the legacy code page.
  std::string name() const { return isUtf8() ? "UTF-8" : codePage_; }

  // The text as UTF-16, for display. Bytes that do not decode become
  // U+FFFD; never fails.
  std::u16string decode(std::string_view bytes) const;

private:
  explicit TextEncoding(std::string codePage) : codePage_(std::move(codePage)) {}
  std::string codePage_;  // empty for UTF-8
};

// Folds keys to their Unicode full case folding (UTF-8), so that two keys
// are equal without regard to case exactly when their folds are equal.
// Pure ASCII keys take a fast path; the others go through ICU. A folder
// keeps its converter open, so make one per file and reuse it, on one
// thread at a time.
class KeyFolder {
public:
  explicit KeyFolder(const TextEncoding& encoding);
  ~KeyFolder();
  KeyFolder(const KeyFolder&) = delete;
  KeyFolder& operator=(const KeyFolder&) = delete;

  // The folded key as UTF-8. Bytes that do not decode stay distinct from
  // each other (each maps to its own private-use character).
  std::string fold(std::string_view key) const;

private:
  struct Converters;
  std::unique_ptr<Converters> converters_;
};

bool isAscii(std::string_view bytes);

}  // namespace ulmar
