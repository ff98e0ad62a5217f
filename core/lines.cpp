#include "lines.h"

#include <cstring>

namespace ulmar {

LineReader::LineReader(std::string_view text)
    : at_(text.data()), end_(text.data() + text.size()), nextLf_(find('\n', at_)), nextCr_(find('\r', at_)) {}

const char* LineReader::find(char c, const char* from) const {
  if (from >= end_) return end_;
  const void* found = std::memchr(from, c, static_cast<size_t>(end_ - from));
  return found == nullptr ? end_ : static_cast<const char*>(found);
}

bool LineReader::next(Line& line) {
  if (at_ >= end_) return false;
  if (nextLf_ < at_) nextLf_ = find('\n', at_);
  if (nextCr_ < at_) nextCr_ = find('\r', at_);
  const char* lineEnd = nextLf_ < nextCr_ ? nextLf_ : nextCr_;
  const char* after = lineEnd;
  if (lineEnd < end_) after += (*lineEnd == '\r' && lineEnd + 1 < end_ && lineEnd[1] == '\n') ? 2 : 1;
  line.text = std::string_view(at_, static_cast<size_t>(lineEnd - at_));
  line.ending = std::string_view(lineEnd, static_cast<size_t>(after - lineEnd));
  line.number = ++number_;
  at_ = after;
  return true;
}

}  // namespace ulmar
