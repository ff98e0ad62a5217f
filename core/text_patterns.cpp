#include "text_patterns.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstring>

#include "utf8.h"

namespace ulmar {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Type letters of the %[index:][-][width][.precision]type form.
bool isFormatType(char c) { return std::strchr("dusefgnmpxcioXEGSDU", c) != nullptr && c != '\0'; }

// The length of the placeholder that starts at text[at] ('%' or '{'), or 0.
size_t placeholderAt(std::string_view text, size_t at) {
  if (text[at] == '{') {
    size_t i = at + 1;
    while (i < text.size() && i - at <= 2 && isDigit(text[i])) ++i;
    return i > at + 1 && i < text.size() && text[i] == '}' ? i + 1 - at : 0;
  }
  // %[index:][-][width][.precision]type
  size_t i = at + 1;
  size_t digits = i;
  while (digits < text.size() && isDigit(text[digits])) ++digits;
  if (digits > i && digits < text.size() && text[digits] == ':') i = digits + 1;
  if (i < text.size() && text[i] == '-') ++i;
  while (i < text.size() && isDigit(text[i])) ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i;
  }
  if (i < text.size() && isFormatType(text[i])) return i + 1 - at;
  // Numbered: %1 to %99.
  i = at + 1;
  while (i < text.size() && i - at <= 2 && isDigit(text[i])) ++i;
  return i > at + 1 ? i - at : 0;
}

}  // namespace

std::vector<std::string_view> placeholdersOf(std::string_view text) {
  std::vector<std::string_view> found;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '%' && at + 1 < text.size() && text[at + 1] == '%') {
      ++at;  // a literal percent sign
      continue;
    }
    if (text[at] != '%' && text[at] != '{') continue;
    if (const size_t length = placeholderAt(text, at)) {
      found.push_back(text.substr(at, length));
      at += length - 1;
    }
  }
  return found;
}

int acceleratorCount(std::string_view text) {
  int count = 0;
  for (size_t at = 0; at + 1 < text.size(); ++at) {
    if (text[at] != '&') continue;
    const char next = text[at + 1];
    if (next == '&') {
      ++at;  // a literal ampersand
      continue;
    }
    // A letter or digit, ASCII or beyond (any character of two bytes or more).
    if (isAsciiLetter(next) || isDigit(next) || static_cast<unsigned char>(next) >= 0xC0) ++count;
  }
  return count;
}

bool hasLetterRun(std::string_view text, size_t length) {
  size_t run = 0;
  for (size_t at = 0; at < text.size();) {
    if (text[at] == '%' || text[at] == '{') {
      if (const size_t skip = placeholderAt(text, at)) {
        at += skip;
        run = 0;
        continue;
      }
    }
    UChar32 c = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    auto next = static_cast<int32_t>(at);
    U8_NEXT(bytes, next, static_cast<int32_t>(std::min(text.size(), size_t{INT32_MAX})), c);
    at = static_cast<size_t>(next);
    run = c >= 0 && u_isalpha(c) ? run + 1 : 0;
    if (run >= length) return true;
  }
  return false;
}

bool looksDoubleEncoded(std::string_view text) {
  // "Ã" or "Â" followed by a character of U+0080 to U+00BF; "â€" (E2 80 as
  // two characters of windows-1252).
  for (size_t at = 0; at + 3 < text.size(); ++at) {
    if (text[at] != '\xC3') continue;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    const auto third = static_cast<unsigned char>(text[at + 2]);
    const auto fourth = static_cast<unsigned char>(text[at + 3]);
    if ((second == 0x83 || second == 0x82) && third == 0xC2 && fourth >= 0x80 && fourth <= 0xBF) return true;
    if (second == 0x83 && third == 0xC3 && fourth >= 0x80 && fourth <= 0xBF) return true;
    if (second == 0xA2 && third == 0xE2 && fourth == 0x82 && at + 4 < text.size() && text[at + 4] == '\xAC') return true;
  }
  return false;
}

bool holdsMultiByteUtf8(std::string_view bytes) {
  for (size_t at = 0; at + 1 < bytes.size(); ++at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0xC2 || lead > 0xF4) continue;
    const size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (at + length <= bytes.size() && isValidUtf8(bytes.substr(at, length))) return true;
  }
  return false;
}

size_t editDistance(std::string_view a, std::string_view b, size_t limit) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > limit) return limit + 1;
  std::vector<size_t> row(a.size() + 1);
  for (size_t i = 0; i <= a.size(); ++i) row[i] = i;
  for (size_t j = 1; j <= b.size(); ++j) {
    size_t diagonal = row[0];
    row[0] = j;
    size_t best = row[0];
    for (size_t i = 1; i <= a.size(); ++i) {
      const size_t above = row[i];
      row[i] = std::min({row[i] + 1, row[i - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[i]);
    }
    if (best > limit) return limit + 1;
  }
  return std::min(row[a.size()], limit + 1);
}

}  // namespace ulmar
