#pragma once
// How the bytes of a piece of language-file text are understood. Each key,
// value or line is taken by itself: valid UTF-8 is UTF-8, anything else is
// in the legacy code page. So equal bytes are always understood alike, even
// in a file that mixes the two.

#include <string>
#include <string_view>

namespace ulmar {

class TextEncoding {
public:
  static const TextEncoding& utf8();
  // A legacy code page by its ICU converter name ("windows-1251").
  static TextEncoding legacy(std::string codePage);

  bool isUtf8() const { return codePage_.empty(); }
  // "UTF-8" or the ICU converter name of the legacy code page.
  std::string name() const { return isUtf8() ? std::string("UTF-8") : codePage_; }

  // The text as UTF-16, for display. Bytes that do not decode become
  // U+FFFD; never fails.
  std::u16string decode(std::string_view bytes) const;
  // The same as UTF-8.
  std::string toUtf8(std::string_view bytes) const;
  // UTF-8 text written in this encoding. A character the code page cannot
  // hold becomes '?', and `lossy` is then set.
  std::string fromUtf8(std::string_view utf8, bool& lossy) const;

  bool operator==(const TextEncoding&) const = default;

private:
  explicit TextEncoding(std::string codePage) : codePage_(std::move(codePage)) {}
  std::string codePage_;  // empty for UTF-8
};

// The encoding of one piece of text: UTF-8 when it is valid UTF-8, else
// `legacy`.
const TextEncoding& encodingOf(std::string_view bytes, const TextEncoding& legacy);

}  // namespace ulmar
