#pragma once
// The line rules of the Windows profile files that language files were
// written against. Text is fed in pieces of any size; the parser holds on to
// at most the one line that is still open, and not even that when the line
// cannot matter (a comment, a line in a section nobody asked for, the value
// of an entry whose value nobody asked for).

#include <cstddef>
#include <string>
#include <string_view>

namespace ulmar {

enum class SectionUse { Ignore, Keys, KeysAndValues };

class IniSink {
public:
  virtual ~IniSink() = default;
  // A section header named `name`; answers what of its entries to deliver.
  virtual SectionUse openSection(std::string_view name) = 0;
  // An entry of the section opened last, unless that one is ignored.
  // `value` is empty when the section's values are not wanted.
  virtual void addEntry(std::string_view key, std::string_view value) = 0;
};

// A section name is known by what stands within this many bytes of its
// line's start: a name can be longer only in a file no tool wrote, and a
// header line of a gigabyte must not have to be held whole.
inline constexpr size_t kHeaderBytesRead = 65536;

class IniParser {
public:
  explicit IniParser(IniSink& sink, size_t headerBytesRead = kHeaderBytesRead)
      : sink_(sink), headerBytesRead_(headerBytesRead) {}
  void feed(std::string_view text);
  // Ends the last line, which needs no line end of its own.
  void finish();

private:
  void takeLine(std::string_view line);
  void openSection(std::string_view line, size_t close);
  void holdOpenLine(const char* begin, const char* end);
  void closeOpenLine();
  void dropOpenLine();

  IniSink& sink_;
  size_t headerBytesRead_;
  SectionUse use_ = SectionUse::Ignore;  // lines before the first header belong nowhere
  std::string openLine_;                  // a line cut by the end of a piece, leading blanks dropped
  size_t openLineScanned_ = 0;            // how much of it is known to hold no '='
  bool skippingLine_ = false;             // the rest of the current line cannot matter
  bool headerCut_ = false;                // an open header line held only in part
  bool bracketPastCut_ = false;           // ... with a ']' in the part not held
};

bool isBlankByte(char c);
std::string_view trimBlanks(std::string_view text);

}  // namespace ulmar
