#include "check.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "ascii.h"
#include "key_index.h"
#include "lines.h"
#include "near_names.h"
#include "report.h"
#include "side_by_side.h"
#include "text_patterns.h"
#include "utf8.h"

namespace ulmar {

// One section of both files, matched as the report matches them.
struct SectionPairing {
  std::string_view name;
  std::span<const Entry> reference;
  std::span<const Entry> translation;
  EntryNumbers firstInReference;    // each reference entry's first entry of its key
  EntryNumbers firstInTranslation;  // the same in the translation
  EntryNumbers referenceMatch;      // each reference entry's first match in the translation
  EntryNumbers translationMatch;    // each translation entry's first match in the reference

  // The values of each entry (quotes removed), found once when first asked.
  using Values = std::vector<std::string_view, LargeAllocator<std::string_view>>;
  Values referenceValues;
  Values translationValues;

  bool isFirstInTranslation(size_t j) const { return firstInTranslation[j] == j; }
  bool isFirstInReference(size_t i) const { return firstInReference[i] == i; }
};

// What every check reads: both files' sections, matched once for all.
class CheckData {
public:
  explicit CheckData(CheckedFiles files)
      : files(files), folder(files.translation.legacyEncoding().name()),
        helperFolder(files.translation.legacyEncoding().name()) {
    for (const std::string_view name : {std::string_view("FORMS"), std::string_view("STRINGS")}) pair(name);
    for (SectionPairing& pairing : sections) findValues(pairing);
  }

  CheckedFiles files;
  KeyFolder folder;
  KeyFolder helperFolder;  // for a second thread
  std::vector<SectionPairing> sections;

private:


  void pair(std::string_view name) {
    SectionPairing& pairing = sections.emplace_back();
    pairing.name = name;
    pairing.reference = files.reference.entries(name);
    pairing.translation = files.translation.entries(name);
    std::optional<KeyIndex> referenceIndex;
    std::optional<KeyIndex> translationIndex;
    // Both files' indexes and lookups, on two threads with a folder each.
    sideBySide(
        [&] {
          referenceIndex.emplace(pairing.reference, folder, true);
          referenceIndex->findFirstEntries(pairing.reference, folder, pairing.firstInReference);
        },
        [&] {
          translationIndex.emplace(pairing.translation, helperFolder, true);
          translationIndex->findFirstEntries(pairing.translation, helperFolder, pairing.firstInTranslation);
        });
    sideBySide([&] { referenceIndex->findFirstEntries(pairing.translation, folder, pairing.translationMatch); },
               [&] { translationIndex->findFirstEntries(pairing.reference, helperFolder, pairing.referenceMatch); });
  }

  void findValues(SectionPairing& pairing) {
    auto valuesOf = [](LanguageFile& file, std::span<const Entry> entries, SectionPairing::Values& values) {
      values.reserve(entries.size());
      for (const Entry& entry : entries) values.push_back(file.valueOf(entry));
    };
    sideBySide([&] { valuesOf(files.reference, pairing.reference, pairing.referenceValues); },
               [&] { valuesOf(files.translation, pairing.translation, pairing.translationValues); });
  }
};

// What one check sees: the shared data, a folder of its thread's own, and
// where its findings go.
class CheckContext {
public:
  CheckContext(CheckData& data, const KeyFolder& folder, Findings& findings)
      : files(data.files), sections(data.sections), folder_(folder), findings_(findings) {}

  CheckedFiles files;
  const std::vector<SectionPairing>& sections;
  const CheckDefinition* current = nullptr;

  void report(Place place, std::string_view section, std::string key, std::string message,
              std::optional<Place> related = std::nullopt) {
    findings_.push_back({current->name, current->severity, place, section, std::move(key), std::move(message),
                         related});
  }

  // Text of `file` as UTF-8.
  static std::string utf8(LanguageFile& file, std::string_view bytes) { return file.encodingOf(bytes).toUtf8(bytes); }
  std::string referenceKey(const Entry& entry) { return utf8(files.reference, entry.key()); }
  std::string translationKey(const Entry& entry) { return utf8(files.translation, entry.key()); }

  const KeyFolder& folder() const { return folder_; }

private:
  const KeyFolder& folder_;
  Findings& findings_;
};

namespace {

constexpr uint32_t kNone = KeyIndex::kNone;

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// Calls visit(pairing, i, j) for each translation entry j that is the first
// of its key and matches reference entry i.
template <class Visit>
void eachMatch(CheckContext& context, Visit visit) {
  for (const SectionPairing& pairing : context.sections) {
    for (size_t j = 0; j < pairing.translation.size(); ++j) {
      if (!pairing.isFirstInTranslation(j) || pairing.translationMatch[j] == kNone) continue;
      visit(pairing, pairing.translationMatch[j], j);
    }
  }
}

// Both values of a match, as UTF-8: views of the files' own bytes where
// they are UTF-8 already, decoded copies where not.
struct Values {
  std::string_view reference;
  std::string_view translation;
  std::string decodedReference;
  std::string decodedTranslation;
};

void utf8Value(LanguageFile& file, std::string_view bytes, std::string_view& value, std::string& decoded) {
  if (file.encodingOf(bytes).isUtf8()) {
    value = bytes;
  } else {
    decoded = CheckContext::utf8(file, bytes);
    value = decoded;
  }
}

Values valuesOf(CheckContext& context, const SectionPairing& pairing, size_t i, size_t j) {
  Values values;
  utf8Value(context.files.reference, pairing.referenceValues[i], values.reference, values.decodedReference);
  utf8Value(context.files.translation, pairing.translationValues[j], values.translation, values.decodedTranslation);
  return values;
}

bool holdsByte(std::string_view text, char c) { return std::memchr(text.data(), c, text.size()) != nullptr; }

Place inReference(const Entry& entry) { return {CheckedFile::Reference, entry.line}; }
Place inTranslation(const Entry& entry) { return {CheckedFile::Translation, entry.line}; }

// ---- The checks ----------------------------------------------------------------

void checkMissing(CheckContext& context) {
  for (const SectionPairing& pairing : context.sections) {
    for (size_t i = 0; i < pairing.reference.size(); ++i) {
      if (!pairing.isFirstInReference(i) || pairing.referenceMatch[i] != kNone) continue;
      context.report(inReference(pairing.reference[i]), pairing.name, context.referenceKey(pairing.reference[i]),
                     quoted(context.referenceKey(pairing.reference[i])) + " is not in the translation");
    }
  }
}

void checkObsolete(CheckContext& context) {
  for (const SectionPairing& pairing : context.sections) {
    for (size_t j = 0; j < pairing.translation.size(); ++j) {
      if (!pairing.isFirstInTranslation(j) || pairing.translationMatch[j] != kNone) continue;
      context.report(inTranslation(pairing.translation[j]), pairing.name, context.translationKey(pairing.translation[j]),
                     quoted(context.translationKey(pairing.translation[j])) + " is no longer in the reference");
    }
  }
}

void checkDuplicateKeys(CheckContext& context) {
  for (const SectionPairing& pairing : context.sections) {
    const struct {
      std::span<const Entry> entries;
      const EntryNumbers& first;
      CheckedFile file;
      LanguageFile& reader;
    } sides[] = {{pairing.translation, pairing.firstInTranslation, CheckedFile::Translation, context.files.translation},
                 {pairing.reference, pairing.firstInReference, CheckedFile::Reference, context.files.reference}};
    for (const auto& side : sides) {
      for (size_t i = 0; i < side.entries.size(); ++i) {
        if (side.first[i] == i) continue;
        const Entry& first = side.entries[side.first[i]];
        const std::string key = CheckContext::utf8(side.reader, side.entries[i].key());
        context.report({side.file, side.entries[i].line}, pairing.name, key,
                       quoted(key) + " stands twice in [" + std::string(pairing.name) + "]; only the entry at line " +
                           std::to_string(first.line) + " is read",
                       Place{side.file, first.line});
      }
    }
  }
}

std::string listed(const std::vector<std::string_view>& items) {
  std::string text;
  for (const std::string_view item : items) {
    if (!text.empty()) text += ' ';
    text += item;
  }
  return text;
}

void checkPlaceholders(CheckContext& context) {
  eachMatch(context, [&context](const SectionPairing& pairing, size_t i, size_t j) {
    const std::string_view rawReference = pairing.referenceValues[i];
    const std::string_view rawTranslation = pairing.translationValues[j];
    auto mayHold = [](std::string_view text) { return holdsByte(text, '%') || holdsByte(text, '{'); };
    if (!mayHold(rawReference) && !mayHold(rawTranslation)) return;
    const Values values = valuesOf(context, pairing, i, j);
    std::vector<std::string_view> expected = placeholdersOf(values.reference);
    std::vector<std::string_view> found = placeholdersOf(values.translation);
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    if (expected == found) return;
    std::vector<std::string_view> missing;
    std::vector<std::string_view> extra;
    std::set_difference(expected.begin(), expected.end(), found.begin(), found.end(), std::back_inserter(missing));
    std::set_difference(found.begin(), found.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    std::string message = quoted(context.translationKey(pairing.translation[j])) + ": placeholders differ from the reference's:";
    if (!missing.empty()) message += " missing " + listed(missing);
    if (!missing.empty() && !extra.empty()) message += ";";
    if (!extra.empty()) message += " extra " + listed(extra);
    context.report(inTranslation(pairing.translation[j]), pairing.name, context.translationKey(pairing.translation[j]),
                   message, inReference(pairing.reference[i]));
  });
}

void checkAccelerators(CheckContext& context) {
  eachMatch(context, [&context](const SectionPairing& pairing, size_t i, size_t j) {
    const std::string_view rawReference = pairing.referenceValues[i];
    const std::string_view rawTranslation = pairing.translationValues[j];
    if (!holdsByte(rawReference, '&') && !holdsByte(rawTranslation, '&')) return;
    const Values values = valuesOf(context, pairing, i, j);
    const int reference = acceleratorCount(values.reference);
    const int translation = acceleratorCount(values.translation);
    std::string message;
    if (reference == 1 && translation == 0) {
      message = "the reference marks an accelerator key (&) and the translation has none";
    } else if (reference == 1 && translation > 1) {
      message = "the reference marks one accelerator key (&) and the translation " + std::to_string(translation);
    } else if (translation == 1 && reference != 1) {
      message = "the translation marks an accelerator key (&) and the reference has " +
                std::string(reference == 0 ? "none" : std::to_string(reference));
    } else {
      return;
    }
    message = quoted(context.translationKey(pairing.translation[j])) + ": " + message;
    context.report(inTranslation(pairing.translation[j]), pairing.name, context.translationKey(pairing.translation[j]),
                   message, inReference(pairing.reference[i]));
  });
}

void checkUntranslated(CheckContext& context) {
  eachMatch(context, [&context](const SectionPairing& pairing, size_t i, size_t j) {
    const std::string_view rawReference = pairing.referenceValues[i];
    const std::string_view rawTranslation = pairing.translationValues[j];
    if (isAscii(rawReference) && isAscii(rawTranslation)) {
      if (rawReference != rawTranslation || !hasLetterRun(rawTranslation, 3)) return;
    } else {
      // Text beyond ASCII is compared as text: the two files may differ in encoding.
      const Values values = valuesOf(context, pairing, i, j);
      if (values.reference != values.translation || !hasLetterRun(values.translation, 3)) return;
    }
    context.report(inTranslation(pairing.translation[j]), pairing.name, context.translationKey(pairing.translation[j]),
                   quoted(context.translationKey(pairing.translation[j])) +
                       " has the same text as in the reference; not translated yet?",
                   inReference(pairing.reference[i]));
  });
}

void checkEmpty(CheckContext& context) {
  eachMatch(context, [&context](const SectionPairing& pairing, size_t i, size_t j) {
    if (!pairing.translationValues[j].empty() || pairing.referenceValues[i].empty()) return;
    context.report(inTranslation(pairing.translation[j]), pairing.name, context.translationKey(pairing.translation[j]),
                   quoted(context.translationKey(pairing.translation[j])) + " is empty, where the reference has text",
                   inReference(pairing.reference[i]));
  });
}

void checkCaseDiffers(CheckContext& context) {
  eachMatch(context, [&context](const SectionPairing& pairing, size_t i, size_t j) {
    if (pairing.reference[i].key() == pairing.translation[j].key()) return;
    context.report(inTranslation(pairing.translation[j]), pairing.name, context.translationKey(pairing.translation[j]),
                   quoted(context.translationKey(pairing.translation[j])) + " is written " +
                       quoted(context.referenceKey(pairing.reference[i])) + " in the reference",
                   inReference(pairing.reference[i]));
  });
}

void checkPossibleRenames(CheckContext& context) {
  for (const SectionPairing& pairing : context.sections) {
    std::vector<size_t> obsolete;
    std::vector<std::string> names;
    for (size_t j = 0; j < pairing.translation.size(); ++j) {
      if (!pairing.isFirstInTranslation(j) || pairing.translationMatch[j] != kNone) continue;
      obsolete.push_back(j);
      names.push_back(context.folder().fold(pairing.translation[j].key()));
    }
    if (obsolete.empty()) continue;
    const NearNames near(std::move(names));
    for (size_t i = 0; i < pairing.reference.size(); ++i) {
      if (!pairing.isFirstInReference(i) || pairing.referenceMatch[i] != kNone) continue;
      const auto candidate = near.nearest(context.folder().fold(pairing.reference[i].key()));
      if (!candidate) continue;
      const Entry& old = pairing.translation[obsolete[*candidate]];
      context.report(inReference(pairing.reference[i]), pairing.name, context.referenceKey(pairing.reference[i]),
                     quoted(context.referenceKey(pairing.reference[i])) + " may be " +
                         quoted(context.translationKey(old)) + " renamed; its translation can be reused",
                     inTranslation(old));
    }
  }
}

void checkEncoding(CheckContext& context) {
  LanguageFile& file = context.files.translation;
  const std::string_view text = file.text();
  if (isAscii(text)) return;
  const bool utf8 = isUtf16(file.byteForm()) || isValidUtf8(text);
  LineReader lines(text);
  Line line;
  while (lines.next(line)) {
    if (isAscii(line.text)) continue;
    if (!utf8 && holdsMultiByteUtf8(line.text)) {
      context.report({CheckedFile::Translation, static_cast<uint32_t>(line.number)}, "", "",
                     "the file is not UTF-8 as a whole, yet this line holds UTF-8: two encodings mixed");
      return;
    }
    if (utf8 && looksDoubleEncoded(line.text)) {
      context.report({CheckedFile::Translation, static_cast<uint32_t>(line.number)}, "", "",
                     "text encoded twice (UTF-8 read as a code page and saved again as UTF-8)");
      return;
    }
  }
}

void checkInfo(CheckContext& context) {
  LanguageFile& file = context.files.translation;
  const Section* info = file.section("INFO");
  const std::span<const Entry> entries = info != nullptr ? file.entriesOf(*info) : std::span<const Entry>();
  for (const std::string_view key : kInfoKeys) {
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
      return context.folder().fold(e.key()) == key;
    });
    if (entry == entries.end()) {
      context.report({CheckedFile::Translation, info != nullptr ? info->line : 1}, "INFO", std::string(key),
                     info != nullptr ? "[INFO] has no " + quoted(key) : "the file has no [INFO] with " + quoted(key));
    } else if (file.valueOf(*entry).empty()) {
      context.report(inTranslation(*entry), "INFO", std::string(key), quoted(key) + " is empty");
    }
  }
}

void checkStale(CheckContext& context) {
  LanguageFile* old = context.files.oldReference;
  if (old == nullptr) return;
  for (const SectionPairing& pairing : context.sections) {
    const std::span<const Entry> oldEntries = old->entries(pairing.name);
    const KeyIndex oldIndex(oldEntries, context.folder(), true);
    EntryNumbers inOld;
    oldIndex.findFirstEntries(pairing.reference, context.folder(), inOld);
    for (size_t j = 0; j < pairing.translation.size(); ++j) {
      if (!pairing.isFirstInTranslation(j) || pairing.translationMatch[j] == kNone) continue;
      const size_t i = pairing.translationMatch[j];
      if (inOld[i] == kNone) continue;  // a new key: nothing was translated for an older text
      const std::string_view then = old->valueOf(oldEntries[inOld[i]]);
      const std::string_view now = context.files.reference.valueOf(pairing.reference[i]);
      const std::string thenText = CheckContext::utf8(*old, then);
      const std::string nowText = CheckContext::utf8(context.files.reference, now);
      if (thenText == nowText) continue;
      context.report(inTranslation(pairing.translation[j]), pairing.name, context.translationKey(pairing.translation[j]),
                     "the reference's text changed from \"" + thenText + "\" to \"" + nowText +
                         "\"; the translation was made for the old one",
                     inReference(pairing.reference[i]));
    }
  }
}

constexpr std::array kChecks{
    CheckDefinition{"missing", Severity::Error, "a reference key the translation lacks", checkMissing},
    CheckDefinition{"obsolete", Severity::Warning, "a translation key the reference no longer has", checkObsolete},
    CheckDefinition{"duplicate-key", Severity::Error,
                    "a key that stands twice in one section (letter case aside); the later entry is never read",
                    checkDuplicateKeys},
    CheckDefinition{"placeholders", Severity::Error,
                    "the translation's format placeholders (%s, %1, {0}, ...) differ from the reference's",
                    checkPlaceholders},
    CheckDefinition{"accelerator", Severity::Warning,
                    "the reference marks an accelerator key (&) and the translation has none or several, or the "
                    "reverse",
                    checkAccelerators},
    CheckDefinition{"untranslated", Severity::Note, "a text that is still the reference's own", checkUntranslated},
    CheckDefinition{"empty", Severity::Warning, "an empty text where the reference's is not empty", checkEmpty},
    CheckDefinition{"case-differs", Severity::Note, "a key written in other letter case than in the reference",
                    checkCaseDiffers},
    CheckDefinition{"possible-rename", Severity::Note,
                    "a key to add and a key to remove with nearly the same name: one entry renamed?",
                    checkPossibleRenames},
    CheckDefinition{"encoding", Severity::Warning, "two encodings mixed in one file, or text encoded twice",
                    checkEncoding},
    CheckDefinition{"info", Severity::Warning, "a value of [INFO] that is missing or empty", checkInfo},
    CheckDefinition{"stale", Severity::Warning,
                    "with --since: a text of the reference that changed since the translation was made",
                    checkStale},
};

}  // namespace

std::string_view severityName(Severity severity) {
  switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
  }
  return "error";
}

std::span<const CheckDefinition> allChecks() { return kChecks; }

Findings runChecks(CheckedFiles files, const std::set<std::string, std::less<>>& enabled) {
  CheckData data(files);
  // The checks share only what they read, so they run on two threads: every
  // other enabled check on each, with findings and a folder of its own.
  std::vector<const CheckDefinition*> chosen;
  for (const CheckDefinition& check : kChecks) {
    if (enabled.contains(check.name)) chosen.push_back(&check);
  }
  Findings findings[2];
  auto runHalf = [&](size_t half, const KeyFolder& folder) {
    CheckContext context(data, folder, findings[half]);
    for (size_t k = half; k < chosen.size(); k += 2) {
      context.current = chosen[k];
      chosen[k]->run(context);
    }
  };
  sideBySide([&] { runHalf(0, data.folder); }, [&] { runHalf(1, data.helperFolder); });
  findings[0].insert(findings[0].end(), std::make_move_iterator(findings[1].begin()),
                     std::make_move_iterator(findings[1].end()));
  return std::move(findings[0]);
}

}  // namespace ulmar
