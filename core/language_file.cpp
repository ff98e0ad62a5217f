#include "language_file.h"

#include <algorithm>
#include <new>
#include <optional>
#include <unordered_map>

#include "file_source.h"
#include "ini_parser.h"
#include "key_index.h"
#include "large_memory.h"
#include "utf16_decoder.h"
#include "utf8_validator.h"

namespace ulmar {

namespace {

std::string lowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return lowered;
}

bool namedIn(const std::vector<std::string>& names, std::string_view name) {
  const std::string lowered = lowerAscii(name);
  for (const std::string& candidate : names) {
    if (lowerAscii(candidate) == lowered) return true;
  }
  return false;
}

struct Range {
  uint64_t offset;
  uint64_t size;
};

std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'')) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

struct LanguageFile::Content : IniSink {
  // The keys of a section stand one after another in keyBytes, and their
  // ends one after another in keyEnds, so a key costs eight bytes beside
  // its own. A section is the run [firstKey, firstKey + size) of keys.
  struct Section {
    bool keepsValues = false;
    size_t firstKey = 0;
    size_t keyCount = 0;
    uint64_t keysBegin = 0;
    std::vector<Range> values;  // beside the keys, when kept
    std::unique_ptr<KeyIndex> index;

    size_t size() const { return keyCount; }
  };

  explicit Content(const ReadScope& scope) : scope(scope) {}

  // Called by the parser.
  SectionUse openSection(std::string_view name) override {
    if (!scope.keySections.empty() && !namedIn(scope.keySections, name)) return SectionUse::Ignore;
    // A section that occurs again counts only where it first stood.
    const auto [at, isNew] = sectionByName.try_emplace(lowerAscii(name), sections.size());
    if (!isNew) return SectionUse::Ignore;
    Section& section = sections.emplace_back();
    section.keysBegin = keyBytes.size();
    section.firstKey = keyEnds.size();
    section.keepsValues = scope.valueSections.empty() || namedIn(scope.valueSections, name);
    return section.keepsValues ? SectionUse::KeysAndValues : SectionUse::Keys;
  }

  void addEntry(std::string_view key, std::string_view value) override {
    Section& section = sections.back();
    keyBytes += key;
    keyEnds.push_back(keyBytes.size());
    ++section.keyCount;
    if (section.keepsValues) {
      section.values.push_back({valueBytes.size(), value.size()});
      valueBytes += value;
    }
  }

  // Room for every key the file can hold, asked for up front: the memory is
  // only taken as it is written, and the keys never have to move.
  void expectBytes(uint64_t size) {
    constexpr uint64_t kMostReservedAtOnce = uint64_t{1} << 30;
    const uint64_t bytes = std::min(size, kMostReservedAtOnce);
    try {
      keyBytes.reserve(static_cast<size_t>(bytes));
      // An entry takes at least two bytes and a line end.
      keyEnds.reserve(static_cast<size_t>(bytes / 3 + 1));
    } catch (const std::bad_alloc&) {
      // Where address space is scarce, grow as needed instead.
    }
  }

  Section* find(std::string_view name) {
    const auto at = sectionByName.find(lowerAscii(name));
    return at == sectionByName.end() ? nullptr : &sections[at->second];
  }

  std::string_view keyAt(const Section& section, size_t i) const {
    const size_t key = section.firstKey + i;
    const uint64_t begin = i == 0 ? section.keysBegin : keyEnds[key - 1];
    return std::string_view(keyBytes).substr(begin, keyEnds[key] - begin);
  }

  void listKeys(const Section& section, KeyList& keys) const {
    keys.clear();
    keys.reserve(section.size());
    for (size_t i = 0; i < section.size(); ++i) keys.push_back(keyAt(section, i));
  }

  ReadScope scope;
  std::basic_string<char, std::char_traits<char>, LargeAllocator<char>> keyBytes;
  std::vector<uint64_t, LargeAllocator<uint64_t>> keyEnds;
  std::string valueBytes;
  std::vector<Section> sections;
  std::unordered_map<std::string, size_t> sectionByName;
  TextEncoding encoding = TextEncoding::utf8();
  std::unique_ptr<KeyFolder> folder;
};

namespace {

// Takes a file's bytes in pieces: skips a UTF-8 byte-order mark, turns UTF-16
// (with its mark) into UTF-8, checks whether plain text is valid UTF-8, and
// passes the text on to the parser.
class TextFeed {
public:
  explicit TextFeed(IniParser& parser) : parser_(parser) {}

  void feed(std::string_view bytes) {
    if (!decided_) {
      const size_t take = std::min(bytes.size(), 3 - head_.size());
      head_.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (head_.size() < 3) return;
      decide();
    }
    pass(bytes);
  }

  void finish() {
    if (!decided_) decide();
    if (utf16_) {
      scratch_.clear();
      utf16_->finish(scratch_);
      parser_.feed(scratch_);
    }
    parser_.finish();
  }

  // Whether the text the parser saw is UTF-8 (always so for UTF-16 files).
  bool isUtf8() const { return utf16_ || validator_.valid(); }

private:
  void decide() {
    decided_ = true;
    std::string_view head = head_;
    if (head.starts_with("\xEF\xBB\xBF")) {
      head.remove_prefix(3);
    } else if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
      utf16_.emplace(head[0] == '\xFE');
      head.remove_prefix(2);
    }
    pass(head);
  }

  void pass(std::string_view bytes) {
    if (bytes.empty()) return;
    if (utf16_) {
      scratch_.clear();
      utf16_->feed(bytes, scratch_);
      parser_.feed(scratch_);
    } else {
      validator_.feed(bytes);
      parser_.feed(bytes);
    }
  }

  IniParser& parser_;
  bool decided_ = false;
  std::string head_;
  std::optional<Utf16Decoder> utf16_;
  Utf8Validator validator_;
  std::string scratch_;
};

}  // namespace

LanguageFile::LanguageFile(std::string path, std::string text, bool fromText, ReadScope scope)
    : path_(std::move(path)), text_(std::move(text)), fromText_(fromText), scope_(std::move(scope)) {}

LanguageFile LanguageFile::fromPath(std::string path, ReadScope scope) {
  return LanguageFile(std::move(path), std::string(), false, std::move(scope));
}

LanguageFile LanguageFile::fromText(std::string text, ReadScope scope) {
  return LanguageFile(std::string(), std::move(text), true, std::move(scope));
}

LanguageFile::LanguageFile(LanguageFile&&) noexcept = default;
LanguageFile& LanguageFile::operator=(LanguageFile&&) noexcept = default;
LanguageFile::~LanguageFile() = default;

LanguageFile::Content& LanguageFile::content() {
  if (content_) return *content_;
  content_ = std::make_unique<Content>(scope_);
  IniParser parser(*content_);
  TextFeed feed(parser);
  if (fromText_) {
    content_->expectBytes(text_.size());
    feed.feed(text_);
    text_ = std::string();  // read once; the text is not needed again
  } else {
    readRegularFile(
        path_, [&feed](std::string_view bytes) { feed.feed(bytes); },
        [this](uint64_t size) { content_->expectBytes(size); });
  }
  feed.finish();
  content_->encoding = feed.isUtf8() ? TextEncoding::utf8() : TextEncoding::userLegacy();
  content_->folder = std::make_unique<KeyFolder>(content_->encoding);
  return *content_;
}

void LanguageFile::listSectionKeys(std::string_view section, KeyList& keys) {
  Content& file = content();
  keys.clear();
  if (const Content::Section* found = file.find(section)) file.listKeys(*found, keys);
}

KeySequence LanguageFile::sectionKeys(std::string_view section) {
  Content& file = content();
  const Content::Section* found = file.find(section);
  if (found == nullptr || found->size() == 0) return KeySequence();
  return KeySequence(file.keyBytes.data(), file.keyEnds.data() + found->firstKey, found->keysBegin, found->size());
}

bool LanguageFile::keyPresent(std::string_view section, const FoldedKey& key) {
  Content& file = content();
  Content::Section* found = file.find(section);
  if (found == nullptr || found->size() == 0) return false;
  if (!found->index) found->index = presenceIndex(section);
  return found->index->contains(key);
}

std::unique_ptr<KeyIndex> LanguageFile::presenceIndex(std::string_view section) {
  KeyList keys;
  listSectionKeys(section, keys);
  return std::make_unique<KeyIndex>(keys, keyFolder());
}

bool LanguageFile::keyPresent(std::string_view section, std::string_view key) {
  const FoldedKey folded(key, keyFolder());
  return keyPresent(section, folded);
}

std::string LanguageFile::readValue(std::string_view section, std::string_view key, std::string_view fallback) {
  Content& file = content();
  const Content::Section* found = file.find(section);
  if (found == nullptr || !found->keepsValues) return std::string(fallback);
  const FoldedKey wanted(key, *file.folder);
  for (size_t i = 0; i < found->size(); ++i) {
    const FoldedKey candidate(file.keyAt(*found, i), *file.folder);
    if (equalFolded(candidate.bytes(), candidate.lowersAscii(), wanted.bytes(), wanted.lowersAscii())) {
      const Range value = found->values[i];
      return std::string(unquote(std::string_view(file.valueBytes).substr(value.offset, value.size)));
    }
  }
  return std::string(fallback);
}

const TextEncoding& LanguageFile::encoding() { return content().encoding; }

const KeyFolder& LanguageFile::keyFolder() { return *content().folder; }

}  // namespace ulmar
