#include "report.h"

#include <charconv>
#include <new>
#include <vector>

#include "key_index.h"
#include "language_file.h"
#include "messages.h"
#include "side_by_side.h"

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

// One section of both files: their key lists, and for each key whether the
// other file's section holds it.
struct SectionPair {
  KeySequence referenceKeys;
  KeySequence translationKeys;
  std::vector<bool> referenceFound;    // in the translation
  std::vector<bool> translationFound;  // in the reference
};

// For every key of `keys` (of `keysFile`), whether `otherKeys` (of
// `otherFile`) holds it. Its folders are its own: a converter may serve only
// one thread at a time.
std::vector<bool> presence(const KeySequence& keys, LanguageFile& keysFile, const KeySequence& otherKeys,
                           LanguageFile& otherFile) {
  const KeyFolder keysFolder(keysFile.encoding());
  const KeyFolder otherFolder(otherFile.encoding());
  std::vector<bool> found;
  const KeyIndex index(otherKeys, otherFolder);
  index.findEach(keys, keysFolder, found);
  return found;
}

// Both ways at once; each way has its own index, and the two share nothing
// but what they only read.
void comparePair(SectionPair& pair, LanguageFile& reference, LanguageFile& translation) {
  sideBySide([&] { pair.referenceFound = presence(pair.referenceKeys, reference, pair.translationKeys, translation); },
             [&] { pair.translationFound = presence(pair.translationKeys, translation, pair.referenceKeys, reference); });
}

// The walk: writes each key of `keys` (a section of `walked`) that the other
// file lacks, by `found`, and gives how many that was.
int64_t writeLacking(ReportView& view, AddLine addLine, const KeySequence& keys, const std::vector<bool>& found,
                     LanguageFile& walked) {
  int64_t count = 0;
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

// The steps after the readers are made; gives the message that ends the run.
std::string_view compare(ReportView& view, LanguageFile& reference, LanguageFile& translation) {
  // Both files are read at once; so are both ways of a section. The lines
  // and messages still come out one by one in the order of the steps.
  sideBySide([&] { reference.load(); }, [&] { translation.load(); });

  if (reference.sectionKeys(kInfo).empty()) {
    view.showMessage(text::kReferenceInfoEmpty);
  } else {
    view.setFileInformation(fileInformation(translation), translation.encoding());
  }

  const AddLine missing = &ReportView::addMissingLine;
  const AddLine removed = &ReportView::addRemovedLine;

  // The key lists are read where the keys stand in each reader.
  SectionPair forms;
  forms.referenceKeys = reference.sectionKeys(kForms);
  if (forms.referenceKeys.empty()) return text::kReferenceFormsEmpty;
  forms.translationKeys = translation.sectionKeys(kForms);
  comparePair(forms, reference, translation);
  view.addMissingLine(text::kFormsHeader, reference.encoding());
  const int64_t formsToAdd = writeLacking(view, missing, forms.referenceKeys, forms.referenceFound, reference);

  SectionPair strings;
  strings.referenceKeys = reference.sectionKeys(kStrings);
  view.addMissingLine(text::kStringsHeader, reference.encoding());
  if (strings.referenceKeys.empty()) return text::kReferenceStringsEmpty;
  strings.translationKeys = translation.sectionKeys(kStrings);
  comparePair(strings, reference, translation);
  const int64_t stringsToAdd =
      writeLacking(view, missing, strings.referenceKeys, strings.referenceFound, reference);

  view.addRemovedLine(text::kFormsHeader, translation.encoding());
  if (forms.translationKeys.empty()) return text::kTranslationFormsEmpty;
  const int64_t formsToRemove =
      writeLacking(view, removed, forms.translationKeys, forms.translationFound, translation);

  view.addRemovedLine(text::kStringsHeader, translation.encoding());
  if (strings.translationKeys.empty()) return text::kTranslationStringsEmpty;
  const int64_t stringsToRemove =
      writeLacking(view, removed, strings.translationKeys, strings.translationFound, translation);

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
    try {
      closingMessage = compare(view, reference, translation);
    } catch (const std::bad_alloc&) {
      // Files too large for this machine end the run like an empty section.
      closingMessage = text::kOutOfMemory;
    }
  }
  view.showMessage(closingMessage);
}

}  // namespace ulmar
