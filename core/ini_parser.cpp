#include "ini_parser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ulmar {

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;

bool hasZeroByte(uint64_t word) { return ((word - kOnes) & ~word & kHighs) != 0; }

// A line ends at CR or LF, in any mix.
const char* findLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriageReturn = _mm_set1_epi8('\r');
  while (end - p >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int ends = _mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(block, lineFeed), _mm_cmpeq_epi8(block, carriageReturn)));
    if (ends != 0) return p + __builtin_ctz(static_cast<unsigned>(ends));
    p += 16;
  }
#endif
  while (end - p >= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    if (hasZeroByte(word ^ (kOnes * '\n')) || hasZeroByte(word ^ (kOnes * '\r'))) break;
    p += 8;
  }
  for (; p < end; ++p) {
    if (*p == '\n' || *p == '\r') return p;
  }
  return nullptr;
}

// A NUL byte ends the name or value it stands in.
std::string_view cutAtNul(std::string_view text) {
  const void* nul = std::memchr(text.data(), '\0', text.size());
  return nul == nullptr ? text : text.substr(0, static_cast<const char*>(nul) - text.data());
}

}  // namespace

bool isBlankByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view trimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isBlankByte(text[begin])) ++begin;
  while (end > begin && isBlankByte(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void IniParser::takeLine(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty()) return;  // a blank line
  if (line.front() == ';') return;  // a comment line
  if (line.front() == '[') {
    // A "[section]" line: the name runs to the last ']', the rest is ignored.
    const size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      openSection(line, close);
      return;
    }
  }
  if (use_ == SectionUse::Ignore) return;
  // A "key=value" line: split at the first '='; no '=', no entry.
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view key = cutAtNul(trimBlanks(line.substr(0, equals)));
  if (key.empty()) return;  // an entry without a name is passed over; later ones still count
  const std::string_view value =
      use_ == SectionUse::KeysAndValues ? cutAtNul(trimBlanks(line.substr(equals + 1))) : std::string_view();
  sink_.addEntry(key, value);
}

void IniParser::openSection(std::string_view line, size_t close) {
  const size_t nameEnd = std::min(close, headerBytesRead_);
  use_ = sink_.openSection(cutAtNul(trimBlanks(line.substr(1, nameEnd - 1))));
}

void IniParser::dropOpenLine() {
  openLine_.clear();
  openLineScanned_ = 0;
  skippingLine_ = true;
}

void IniParser::holdOpenLine(const char* begin, const char* end) {
  if (openLine_.empty()) {
    // Leading blanks never matter, so a line of nothing but blanks costs nothing.
    while (begin < end && isBlankByte(*begin)) ++begin;
    if (begin == end) return;
  }
  const char first = openLine_.empty() ? *begin : openLine_.front();
  if (first == '[' && use_ == SectionUse::Ignore) {
    // Here the line matters only as a header: hold what can be part of its
    // name, and of the rest only whether it holds a ']'.
    const size_t room = headerBytesRead_ > openLine_.size() ? headerBytesRead_ - openLine_.size() : 0;
    const size_t held = std::min(room, static_cast<size_t>(end - begin));
    openLine_.append(begin, held);
    if (std::memchr(begin + held, ']', static_cast<size_t>(end - begin) - held) != nullptr) bracketPastCut_ = true;
    headerCut_ = headerCut_ || held < static_cast<size_t>(end - begin);
    return;
  }
  openLine_.append(begin, end);
  if (first == '[') return;  // a header needs its whole line to find its last ']'
  if (first == ';' || use_ == SectionUse::Ignore) {
    dropOpenLine();
    return;
  }
  const size_t equals = openLine_.find('=', openLineScanned_);
  if (equals == std::string::npos) {
    openLineScanned_ = openLine_.size();
    return;
  }
  if (use_ == SectionUse::Keys) {
    // The key is complete and its value is not wanted: no need to keep the rest.
    takeLine(std::string_view(openLine_).substr(0, equals + 1));
    dropOpenLine();
  }
}

void IniParser::feed(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  if (skippingLine_) {
    const char* lineEnd = findLineEnd(p, end);
    if (lineEnd == nullptr) return;
    skippingLine_ = false;
    p = lineEnd + 1;
  }
  if (!openLine_.empty() && p < end) {
    const char* lineEnd = findLineEnd(p, end);
    if (lineEnd == nullptr) {
      holdOpenLine(p, end);
      return;
    }
    holdOpenLine(p, lineEnd);
    if (skippingLine_) {
      skippingLine_ = false;  // it was dropped, and it has ended
    } else {
      closeOpenLine();
    }
    p = lineEnd + 1;
  }
  while (p < end) {
    const char* lineEnd = findLineEnd(p, end);
    if (lineEnd == nullptr) {
      holdOpenLine(p, end);
      return;
    }
    takeLine(std::string_view(p, static_cast<size_t>(lineEnd - p)));
    p = lineEnd + 1;
  }
}

void IniParser::closeOpenLine() {
  if (headerCut_ && bracketPastCut_) {
    openSection(openLine_, openLine_.size());
  } else if (!openLine_.empty()) {
    takeLine(openLine_);
  }
  openLine_.clear();
  openLineScanned_ = 0;
  headerCut_ = false;
  bracketPastCut_ = false;
}

void IniParser::finish() {
  if (!skippingLine_) closeOpenLine();
  openLine_.clear();
  openLineScanned_ = 0;
  headerCut_ = false;
  bracketPastCut_ = false;
  skippingLine_ = false;
}

}  // namespace ulmar
