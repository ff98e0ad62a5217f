#include "report.h"

#include <charconv>
#include <exception>
#include <system_error>
#include <thread>

#include "key_index.h"
#include "language_file.h"
#include "messages.h"

namespace ulmar {

namespace {

constexpr std::string_view kInfo = "INFO";
constexpr std::string_view kForms = "FORMS";
constexpr std::string_view kStrings = "STRINGS";

// Values of FORMS and STRINGS are never read, so they are never kept.
ReadScope reportScope() {
  return ReadScope{{std::string(kInfo), std::string(kForms), std::string(kStrings)}, {std::string(kInfo)}};
}

using AddLine = void (ReportView::*)(std::string_view, const TextEncoding&);

// Writes each key of `keys` (a section of `walked`) that `other` lacks,
// and gives how many that was.
int64_t walkSection(ReportView& view, AddLine addLine, std::string_view section, const KeyList& keys,
                    LanguageFile& walked, LanguageFile& other) {
  int64_t count = 0;
  std::vector<bool> found;
  {
    // Built for this walk alone: only one section's index is ever held.
    const std::unique_ptr<KeyIndex> index = other.presenceIndex(section);
    index->findEach(keys, walked.keyFolder(), found);
  }
  const TextEncoding& encoding = walked.encoding();
  for (size_t i = 0; i < keys.size(); ++i) {
    if (found[i]) continue;
    (view.*addLine)(reportLine(keys[i], static_cast<int64_t>(i) + 1, view.offsetsWanted()), encoding);
    ++count;
  }
  return count;
}

std::string fileInformation(LanguageFile& translation) {
  auto value = [&translation](std::string_view key) { return translation.readValue(kInfo, key, ""); };
  std::string line = value("language");
  line += " language for ";
  line += value("compatibility");
  line += " by ";
  line += value("developer");
  line += " (";
  line += value("contacts");
  line += ").\rLast modified on ";
  line += value("updated");
  line += ".";
  return line;
}

// Reads both files side by side, the translation on a second thread, and
// returns once both are read. Readers share nothing, so nothing is locked;
// where no thread can be had, the files are read one after the other.
void loadBoth(LanguageFile& reference, LanguageFile& translation) {
  std::exception_ptr failure;
  std::thread second;
  try {
    second = std::thread([&translation, &failure] {
      try {
        translation.load();
      } catch (...) {
        failure = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    translation.load();
  }
  reference.load();
  if (second.joinable()) second.join();
  if (failure) std::rethrow_exception(failure);
}

// The steps after the readers are made; gives the message that ends the run.
std::string_view compare(ReportView& view, LanguageFile& reference, LanguageFile& translation, KeyList& keys) {
  loadBoth(reference, translation);
  reference.listSectionKeys(kInfo, keys);
  if (keys.empty()) {
    view.showMessage(text::kReferenceInfoEmpty);
  } else {
    view.setFileInformation(fileInformation(translation), translation.encoding());
  }

  const AddLine missing = &ReportView::addMissingLine;
  const AddLine removed = &ReportView::addRemovedLine;

  reference.listSectionKeys(kForms, keys);
  if (keys.empty()) return text::kReferenceFormsEmpty;
  view.addMissingLine(text::kFormsHeader, reference.encoding());
  const int64_t formsToAdd = walkSection(view, missing, kForms, keys, reference, translation);

  reference.listSectionKeys(kStrings, keys);
  view.addMissingLine(text::kStringsHeader, reference.encoding());
  if (keys.empty()) return text::kReferenceStringsEmpty;
  const int64_t stringsToAdd = walkSection(view, missing, kStrings, keys, reference, translation);

  translation.listSectionKeys(kForms, keys);
  view.addRemovedLine(text::kFormsHeader, translation.encoding());
  if (keys.empty()) return text::kTranslationFormsEmpty;
  const int64_t formsToRemove = walkSection(view, removed, kForms, keys, translation, reference);

  translation.listSectionKeys(kStrings, keys);
  view.addRemovedLine(text::kStringsHeader, translation.encoding());
  if (keys.empty()) return text::kTranslationStringsEmpty;
  const int64_t stringsToRemove = walkSection(view, removed, kStrings, keys, translation, reference);

  view.setCount(ReportCount::FormsToAdd, formsToAdd);
  view.setCount(ReportCount::StringsToAdd, stringsToAdd);
  view.setCount(ReportCount::FormsToRemove, formsToRemove);
  view.setCount(ReportCount::StringsToRemove, stringsToRemove);
  return text::kDone;
}

}  // namespace

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

void createReport(ReportView& view) {
  view.clearMissingList();
  view.clearRemovedList();
  std::string_view closingMessage;
  {
    // The readers and the key list live for this block only, so they are
    // released before the closing message, whichever way the run ends.
    LanguageFile reference = LanguageFile::fromPath(view.referencePath(), reportScope());
    LanguageFile translation = LanguageFile::fromPath(view.translationPath(), reportScope());
    KeyList keys;
    closingMessage = compare(view, reference, translation, keys);
  }
  view.showMessage(closingMessage);
}

}  // namespace ulmar
