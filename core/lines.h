#pragma once
// A text's lines as an editor counts them: LF, CR LF and a lone CR each end
// one line.

#include <cstdint>
#include <string_view>

namespace ulmar {

struct Line {
  std::string_view text;    // without its line end
  std::string_view ending;  // "\n", "\r\n", "\r", or "" for a last line without one
  uint64_t number = 0;      // 1-based
};

class LineReader {
public:
  explicit LineReader(std::string_view text);
  // The next line; false after the last one.
  bool next(Line& line);

private:
  const char* find(char c, const char* from) const;

  const char* at_;
  const char* end_;
  // Where the next LF and CR stand (end_ when none): each is looked for once
  // per line that it ends, so a file of lone CRs costs no more than one of LFs.
  const char* nextLf_;
  const char* nextCr_;
  uint64_t number_ = 0;
};

}  // namespace ulmar
