#include "report.h"

#include <charconv>
#include <new>

#include "key_index.h"
#include "messages.h"
#include "side_by_side.h"

namespace ulmar {

namespace {

constexpr std::string_view kInfo = "INFO";
constexpr std::string_view kForms = "FORMS";
constexpr std::string_view kStrings = "STRINGS";

// The keys of `walked` (of `walkedFile`) that `other` lacks, with their
// positions. Its folder is its own: a converter serves one thread at a time.
std::vector<ListedKey> lacking(std::span<const Entry> walked, LanguageFile& walkedFile, std::span<const Entry> other) {
  const KeyFolder folder(walkedFile.legacyEncoding().name());
  const KeyIndex index(other, folder);
  std::vector<bool> found;
  index.findEach(walked, folder, found);
  std::vector<ListedKey> keys;
  for (size_t i = 0; i < walked.size(); ++i) {
    if (found[i]) continue;
    const std::string_view key = walked[i].key();
    keys.push_back(ListedKey{&walked[i], static_cast<int64_t>(i) + 1, key, walkedFile.valueOf(walked[i]),
                             &walkedFile.encodingOf(key)});
  }
  return keys;
}

// One section of both files, both ways at once: each way has its own index,
// and the two share nothing but what they only read.
struct SectionComparison {
  std::vector<ListedKey> toAdd;
  std::vector<ListedKey> toRemove;
};

SectionComparison compareSection(std::string_view section, LanguageFile& reference, LanguageFile& translation) {
  const std::span<const Entry> referenceKeys = reference.entries(section);
  const std::span<const Entry> translationKeys = translation.entries(section);
  SectionComparison result;
  sideBySide([&] { result.toAdd = lacking(referenceKeys, reference, translationKeys); },
             [&] { result.toRemove = lacking(translationKeys, translation, referenceKeys); });
  return result;
}

std::string fileInformation(const std::array<std::string, 5>& info) {
  return info[0] + " language for " + info[1] + " by " + info[2] + " (" + info[3] + ").\rLast modified on " +
         info[4] + ".";
}

int64_t count(const std::vector<ListedKey>& keys) { return static_cast<int64_t>(keys.size()); }

// The steps after the readers are read; gives the message that ends the run.
std::string_view compare(ReportResult& result, LanguageFile& reference, LanguageFile& translation) {
  if (reference.entries(kInfo).empty()) {
    result.messagesBeforeLists.push_back(text::kReferenceInfoEmpty);
  } else {
    std::array<std::string, 5> info;
    for (size_t i = 0; i < info.size(); ++i) info[i] = translation.readValue(kInfo, kInfoKeys[i], "");
    result.fileInformation = fileInformation(info);
    result.fileInformationEncoding = &translation.encodingOf(result.fileInformation);
    result.info = std::move(info);
  }

  if (reference.entries(kForms).empty()) return text::kReferenceFormsEmpty;
  SectionComparison forms = compareSection(kForms, reference, translation);
  result.missing.push_back({text::kFormsHeader, kForms, std::move(forms.toAdd)});

  result.missing.push_back({text::kStringsHeader, kStrings, {}});
  if (reference.entries(kStrings).empty()) return text::kReferenceStringsEmpty;
  SectionComparison strings = compareSection(kStrings, reference, translation);
  result.missing.back().keys = std::move(strings.toAdd);

  result.removed.push_back({text::kFormsHeader, kForms, {}});
  if (translation.entries(kForms).empty()) return text::kTranslationFormsEmpty;
  result.removed.back().keys = std::move(forms.toRemove);

  result.removed.push_back({text::kStringsHeader, kStrings, {}});
  if (translation.entries(kStrings).empty()) return text::kTranslationStringsEmpty;
  result.removed.back().keys = std::move(strings.toRemove);

  result.counts = {count(result.missing[0].keys), count(result.missing[1].keys), count(result.removed[0].keys),
                   count(result.removed[1].keys)};
  return text::kDone;
}

}  // namespace

ReportResult compareFiles(LanguageFile& reference, LanguageFile& translation) {
  ReportResult result;
  // Both files are read at once; so are both ways of a section. What the run
  // tells still comes out one by one in the order of the steps.
  sideBySide([&] { reference.load(); }, [&] { translation.load(); });
  std::vector<std::string_view> unreadable;
  if (reference.status() == ReadStatus::ReadError) unreadable.push_back(text::kReferenceUnreadable);
  if (translation.status() == ReadStatus::ReadError) unreadable.push_back(text::kTranslationUnreadable);
  result.messagesBeforeLists = unreadable;
  if (reference.status() == ReadStatus::OutOfMemory || translation.status() == ReadStatus::OutOfMemory) {
    result.closingMessage = text::kOutOfMemory;
    return result;
  }
  try {
    result.closingMessage = compare(result, reference, translation);
  } catch (const std::bad_alloc&) {
    // Files too large for this machine end the run like an empty section,
    // with nothing listed that was only half found.
    result = ReportResult{};
    result.messagesBeforeLists = unreadable;
    result.closingMessage = text::kOutOfMemory;
  }
  return result;
}

std::vector<std::string_view> ReportResult::messages() const {
  std::vector<std::string_view> all = messagesBeforeLists;
  all.push_back(closingMessage);
  return all;
}

void showResult(const ReportResult& result, ReportView& view) {
  for (const std::string_view message : result.messagesBeforeLists) view.showMessage(message);
  if (result.info) view.setFileInformation(result.fileInformation, *result.fileInformationEncoding);
  const TextEncoding& headers = TextEncoding::utf8();
  auto showList = [&view, &headers](const std::vector<ListedSection>& list, bool missing) {
    for (const ListedSection& section : list) {
      missing ? view.addMissingLine(section.header, headers) : view.addRemovedLine(section.header, headers);
      for (const ListedKey& key : section.keys) {
        const std::string line = reportLine(key.key, key.offset, view.offsetsWanted());
        missing ? view.addMissingLine(line, *key.encoding) : view.addRemovedLine(line, *key.encoding);
      }
    }
  };
  showList(result.missing, true);
  showList(result.removed, false);
  if (result.counts) {
    const ReportCount order[] = {ReportCount::FormsToAdd, ReportCount::StringsToAdd, ReportCount::FormsToRemove,
                                 ReportCount::StringsToRemove};
    for (size_t i = 0; i < 4; ++i) view.setCount(order[i], (*result.counts)[i]);
  }
}

std::string reportLine(std::string_view key, int64_t position, bool withOffset) {
  if (!withOffset) return std::string(key);
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, position);
  const auto width = static_cast<size_t>(end - digits);
  std::string line = "[";
  if (width < 3) line.append(3 - width, ' ');
  line.append(digits, width);
  line += "] ";
  line += key;
  return line;
}

void createReport(ReportView& view, const FileSource& files) {
  view.clearMissingList();
  view.clearRemovedList();
  std::string_view closingMessage;
  {
    // The readers live for this block only, so they are released before the
    // closing message, whichever way the run ends.
    LanguageFile reference = LanguageFile::fromPath(view.referencePath(), {}, files);
    LanguageFile translation = LanguageFile::fromPath(view.translationPath(), {}, files);
    const ReportResult result = compareFiles(reference, translation);
    showResult(result, view);
    closingMessage = result.closingMessage;
  }
  view.showMessage(closingMessage);
}

}  // namespace ulmar
