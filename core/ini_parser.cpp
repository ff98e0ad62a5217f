#include "ini_parser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ascii.h"
#include "lines.h"

namespace ulmar {

namespace {

// A NUL byte ends the name or value it stands in.
std::string_view cutAtNul(std::string_view text) {
  const void* nul = std::memchr(text.data(), '\0', text.size());
  return nul == nullptr ? text : text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
}

// Where the line that `p` stands in ends. Not LineReader, which looks for
// each kind of line end up to the end of the text: a value is short. Eight
// bytes at a time, as the values of a large file are found by the million.
const char* lineEndFrom(const char* p, const char* end) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  auto hasByte = [](uint64_t word, char c) {
    const uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
    return ((x - kOnes) & ~x & kHighs) != 0;
  };
  while (end - p >= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    if (hasByte(word, '\n') || hasByte(word, '\r')) break;
    p += 8;
  }
  while (p < end && *p != '\n' && *p != '\r') ++p;
  return p;
}

}  // namespace

bool readHeader(std::string_view line, std::string_view& name) {
  line = trimBlanks(line);
  if (line.empty() || line.front() != '[') return false;
  // The name runs to the last ']'; the rest of the line is ignored.
  const size_t close = line.rfind(']');
  if (close == std::string_view::npos) return false;
  name = cutAtNul(trimBlanks(line.substr(1, close - 1)));
  return true;
}

IniContent parseIni(std::string_view text) {
  IniContent content;
  Section* section = nullptr;  // lines before the first header belong nowhere
  LineReader lines(text);
  Line line;
  while (lines.next(line)) {
    const std::string_view trimmed = trimBlanks(line.text);
    if (trimmed.empty()) continue;           // a blank line
    if (trimmed.front() == ';') continue;    // a comment line
    std::string_view name;
    if (readHeader(trimmed, name)) {         // a "[section]" line
      if (section != nullptr) section->entryCount = content.entries.size() - section->firstEntry;
      section = &content.sections.emplace_back(
          Section{name, static_cast<uint32_t>(line.number), content.entries.size(), 0});
      continue;
    }
    if (section == nullptr) continue;
    // A "key=value" line: split at the first '='; no '=', no entry.
    const size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = cutAtNul(trimBlanks(trimmed.substr(0, equals)));
    if (key.empty()) continue;  // an entry without a name is passed over; later ones still count
    content.entries.push_back(
        Entry{key.data(), static_cast<uint32_t>(key.size()), static_cast<uint32_t>(line.number)});
  }
  if (section != nullptr) section->entryCount = content.entries.size() - section->firstEntry;
  return content;
}

std::string_view rawValueOf(const Entry& entry, std::string_view text) {
  const char* const end = text.data() + text.size();
  const char* keyEnd = entry.keyData + entry.keyLength;
  // The first '=' of the line follows the key (and what a NUL cut off it).
  const auto* equals = static_cast<const char*>(std::memchr(keyEnd, '=', static_cast<size_t>(end - keyEnd)));
  if (equals == nullptr) return {};
  const char* valueBegin = equals + 1;
  const char* valueEnd = lineEndFrom(valueBegin, end);
  return cutAtNul(trimBlanks(std::string_view(valueBegin, static_cast<size_t>(valueEnd - valueBegin))));
}

std::string_view valueOf(const Entry& entry, std::string_view text) {
  const std::string_view value = rawValueOf(entry, text);
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'')) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view lineOf(const Entry& entry, std::string_view text) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* lineBegin = entry.keyData;
  while (lineBegin > begin && lineBegin[-1] != '\n' && lineBegin[-1] != '\r') --lineBegin;
  const char* lineEnd = lineEndFrom(entry.keyData + entry.keyLength, end);
  return {lineBegin, static_cast<size_t>(lineEnd - lineBegin)};
}

}  // namespace ulmar
