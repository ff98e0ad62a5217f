#include "language_file.h"

#include <new>
#include <optional>
#include <unordered_map>

#include "ascii.h"
#include "code_page.h"
#include "key_index.h"
#include "utf8.h"

namespace ulmar {

struct LanguageFile::Content {
  ReadStatus status = ReadStatus::NoFile;
  FileBytes bytes;
  std::unique_ptr<std::string> decoded;  // the text of a UTF-16 file, as UTF-8
  std::string_view text;
  ByteForm form = ByteForm::Plain;
  IniContent ini;
  std::optional<bool> validUtf8;  // found out when first asked
  std::unordered_map<size_t, std::unique_ptr<KeyIndex>> indexes;  // by section number
  std::unique_ptr<KeyFolder> folder;                              // made when first needed

  const Section* find(std::string_view name) const {
    // The first section of that name counts; a later one is not seen.
    for (const Section& section : ini.sections) {
      if (equalIgnoringAsciiCase(section.name, name)) return &section;
    }
    return nullptr;
  }
};

namespace {

// Turns a file's bytes into the content a reader keeps. Throws
// std::bad_alloc when memory runs out.
std::unique_ptr<LanguageFile::Content> parseFile(FileBytes bytes);

}  // namespace

LanguageFile::LanguageFile(std::string path, std::string legacyCodePage, const FileSource* source)
    : path_(std::move(path)),
      legacy_(TextEncoding::legacy(legacyCodePage.empty() ? userLegacyCodePage() : std::move(legacyCodePage))),
      source_(source) {}

LanguageFile LanguageFile::fromPath(std::string path, std::string legacyCodePage, const FileSource& source) {
  return LanguageFile(std::move(path), std::move(legacyCodePage), &source);
}

LanguageFile LanguageFile::fromText(std::string_view bytes, std::string legacyCodePage) {
  LanguageFile file(std::string(), std::move(legacyCodePage), nullptr);
  file.load(fileBytesOf(bytes));
  return file;
}

LanguageFile::LanguageFile(LanguageFile&&) noexcept = default;
LanguageFile& LanguageFile::operator=(LanguageFile&&) noexcept = default;
LanguageFile::~LanguageFile() = default;

void LanguageFile::load() {
  if (content_) return;
  load(source_ != nullptr ? source_->read(path_) : FileBytes{});
}

void LanguageFile::load(FileBytes bytes) {
  // Built whole in a local and kept only on success: a reader is never left
  // half-built.
  const ReadOutcome outcome = bytes.outcome;
  std::unique_ptr<Content> built;
  try {
    if (outcome == ReadOutcome::Read) built = parseFile(std::move(bytes));
  } catch (const std::bad_alloc&) {
    built.reset();
    bytes = FileBytes{};
    content_ = std::make_unique<Content>();
    content_->status = ReadStatus::OutOfMemory;
    return;
  }
  if (!built) {
    built = std::make_unique<Content>();
    built->status = outcome == ReadOutcome::Failed        ? ReadStatus::ReadError
                    : outcome == ReadOutcome::OutOfMemory ? ReadStatus::OutOfMemory
                                                          : ReadStatus::NoFile;
  }
  content_ = std::move(built);
}

LanguageFile::Content& LanguageFile::content() {
  load();
  return *content_;
}

ReadStatus LanguageFile::status() { return content().status; }

void LanguageFile::listSectionKeys(std::string_view section, KeyList& keys) {
  keys.clear();
  for (const Entry& entry : entries(section)) keys.push_back(entry.key());
}

std::span<const Entry> LanguageFile::entries(std::string_view section) {
  const Section* found = content().find(section);
  return found == nullptr ? std::span<const Entry>() : entriesOf(*found);
}

const Section* LanguageFile::section(std::string_view name) { return content().find(name); }

std::span<const Section> LanguageFile::sections() { return content().ini.sections; }

std::span<const Entry> LanguageFile::entriesOf(const Section& section) {
  return std::span<const Entry>(content().ini.entries).subspan(section.firstEntry, section.entryCount);
}

bool LanguageFile::keyPresent(std::string_view section, std::string_view key) {
  Content& file = content();
  const Section* found = file.find(section);
  if (found == nullptr || found->entryCount == 0) return false;
  if (!file.folder) file.folder = std::make_unique<KeyFolder>(legacy_.name());
  std::unique_ptr<KeyIndex>& index = file.indexes[static_cast<size_t>(found - file.ini.sections.data())];
  if (!index) index = std::make_unique<KeyIndex>(entriesOf(*found), *file.folder);
  return index->contains(key, *file.folder);
}

std::string LanguageFile::readValue(std::string_view section, std::string_view key, std::string_view fallback) {
  Content& file = content();
  if (!file.folder) file.folder = std::make_unique<KeyFolder>(legacy_.name());
  const std::string wanted = file.folder->fold(key);
  for (const Entry& entry : entries(section)) {
    if (file.folder->fold(entry.key()) == wanted) return std::string(valueOf(entry));
  }
  return std::string(fallback);
}

std::string_view LanguageFile::text() { return content().text; }

std::string_view LanguageFile::valueOf(const Entry& entry) { return ulmar::valueOf(entry, text()); }

std::string_view LanguageFile::rawValueOf(const Entry& entry) { return ulmar::rawValueOf(entry, text()); }

std::string_view LanguageFile::lineOf(const Entry& entry) { return ulmar::lineOf(entry, text()); }

ByteForm LanguageFile::byteForm() { return content().form; }

const TextEncoding& LanguageFile::encoding() {
  Content& file = content();
  if (!file.validUtf8) file.validUtf8 = isValidUtf8(file.text);
  return *file.validUtf8 ? encodingOf("") : legacy_;
}

const TextEncoding& LanguageFile::encodingOf(std::string_view bytes) { return ulmar::encodingOf(bytes, legacy_); }

namespace {

std::unique_ptr<LanguageFile::Content> parseFile(FileBytes bytes) {
  auto content = std::make_unique<LanguageFile::Content>();
  content->form = byteFormOf(bytes.bytes());
  std::string_view text = bytes.bytes().substr(markSize(content->form));
  if (isUtf16(content->form)) {
    content->decoded =
        std::make_unique<std::string>(utf16ToUtf8(text, content->form == ByteForm::Utf16BigEndian));
    text = *content->decoded;
    // The raw bytes are not needed again.
    bytes = FileBytes{};
  }
  if (text.size() > kLargestText) throw std::bad_alloc();
  content->ini = parseIni(text);
  content->text = text;
  content->bytes = std::move(bytes);
  content->status = ReadStatus::Read;
  return content;
}

}  // namespace

}  // namespace ulmar
