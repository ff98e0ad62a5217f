#include "update.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "ascii.h"
#include "byte_order_mark.h"
#include "key_index.h"
#include "lines.h"
#include "side_by_side.h"

namespace ulmar {

namespace {

constexpr std::string_view kSections[] = {"FORMS", "STRINGS"};

// What becomes of one line of the translation.
enum class Action : uint8_t { Keep, CommentOut, Drop, Revive };

// The key of a line Ulmar commented out, or nothing.
std::optional<std::string_view> commentedOutKey(std::string_view line) {
  if (!line.starts_with(kCommentedOutMark)) return std::nullopt;
  const std::string_view rest = line.substr(kCommentedOutMark.size());
  const size_t equals = rest.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view key = trimBlanks(rest.substr(0, equals));
  key = key.substr(0, key.find('\0'));
  if (key.empty()) return std::nullopt;
  return key;
}

class Updater {
public:
  Updater(LanguageFile& reference, LanguageFile& translation, const UpdateOptions& options)
      : reference_(reference), translation_(translation), options_(options),
        folder_(translation.legacyEncoding().name()),
        helperFolder_(translation.legacyEncoding().name()) {
    LineReader reader(translation.text());
    Line line;
    lines_.reserve(translation.text().size() / 16 + 16);
    while (reader.next(line)) lines_.push_back(line);
    lastLineEnded_ = lines_.empty() || !lines_.back().ending.empty();
    lineEnd_ = "\r\n";
    for (const Line& l : lines_) {
      if (!l.ending.empty()) {
        lineEnd_ = l.ending;
        break;
      }
    }
    actions_.assign(lines_.size(), Action::Keep);
    target_ = targetEncoding();
  }

  UpdateResult run() {
    std::vector<std::string_view> appended;
    for (const std::string_view name : kSections) {
      const std::span<const Entry> referenceEntries = reference_.entries(name);
      if (referenceEntries.empty()) continue;  // nothing to bring the translation up to
      const Section* section = translation_.section(name);
      if (section == nullptr) {
        appended.push_back(name);
      } else {
        updateSection(*section, name, referenceEntries);
      }
    }
    writeAll(appended);
    UpdateResult result;
    result.summary = summary_;
    result.lossyKeys = std::move(lossyKeys_);
    result.unwritableKeys = std::move(unwritableKeys_);
    result.changed = std::string_view(out_) != translation_.text();
    result.bytes = encodeOutput();
    return result;
  }

private:
  // The encoding new lines are written in: the translation's, or for a file
  // of plain ASCII, the reference's (the product ships files in it).
  TextEncoding targetEncoding() {
    if (isUtf16(translation_.byteForm())) return TextEncoding::utf8();
    if (!isAscii(translation_.text())) return translation_.encoding();
    return reference_.encoding().isUtf8() ? TextEncoding::utf8() : reference_.encoding();
  }

  // A reference text in the target encoding; bytes already in it stay as
  // they are. `lossy` tells whether a character had to become '?'.
  std::string converted(std::string_view bytes, bool& lossy) {
    const TextEncoding& source = reference_.encodingOf(bytes);
    if (source == target_) return std::string(bytes);
    return target_.fromUtf8(source.toUtf8(bytes), lossy);
  }

  // The line for a key the translation lacks; nothing when the key cannot
  // be written in the translation's encoding and still be the same key.
  std::optional<std::string> newLine(const Entry& entry) {
    // The key and the value as the reference writes them, up to and from its
    // first '=', so that what a NUL cut off is kept and the key reads back
    // as the same key.
    const std::string_view whole = reference_.lineOf(entry);
    const size_t equals = whole.find('=');
    const std::string_view keyText = trimBlanks(whole.substr(0, equals));
    const std::string_view valueText = trimBlanks(whole.substr(equals + 1));
    const std::string_view key = entry.key();
    bool lossyKey = false;
    std::string line = converted(keyText, lossyKey);
    // A key must still be the same key: where converting would change it, its
    // bytes are written as they are, which every reader takes by themselves.
    if (lossyKey || folder_.fold(std::string_view(line).substr(0, line.find('\0'))) != folder_.fold(key)) {
      // A UTF-16 file holds text, not bytes: such a key has no place in it.
      if (isUtf16(translation_.byteForm())) {
        unwritableKeys_.push_back(reference_.encodingOf(key).toUtf8(key));
        return std::nullopt;
      }
      line = std::string(keyText);
    }
    bool lossyValue = false;
    line += "=";
    line += converted(valueText, lossyValue);
    if (lossyValue) {
      const std::string name = reference_.encodingOf(key).toUtf8(key);
      if (std::find(lossyKeys_.begin(), lossyKeys_.end(), name) == lossyKeys_.end()) lossyKeys_.push_back(name);
    }
    return line;
  }

  // The line index (0-based) of a line number.
  static size_t at(uint32_t number) { return number - 1; }

  void updateSection(const Section& section, std::string_view name, std::span<const Entry> referenceEntries) {
    const std::span<const Entry> entries = translation_.entriesOf(section);
    const size_t bodyBegin = at(section.line) + 1;
    const size_t bodyEnd = sectionEnd(section);

    // Both files' indexes and the four lookups, two at a time on two
    // threads, each with a folder of its own.
    std::optional<KeyIndex> referenceIndex;
    std::optional<KeyIndex> translationIndex;
    std::vector<bool> inReference;
    EntryNumbers firstInTranslation;
    EntryNumbers firstInReference;
    EntryNumbers inTranslation;
    sideBySide(
        [&] {
          referenceIndex.emplace(referenceEntries, folder_, true);
          referenceIndex->findFirstEntries(referenceEntries, folder_, firstInReference);
        },
        [&] {
          translationIndex.emplace(entries, helperFolder_, true);
          translationIndex->findFirstEntries(entries, helperFolder_, firstInTranslation);
        });
    sideBySide([&] { referenceIndex->findEach(entries, folder_, inReference); },
               [&] { translationIndex->findFirstEntries(referenceEntries, helperFolder_, inTranslation); });

    // Entries of the translation: kept, or obsolete (also a key's later copies).
    for (size_t j = 0; j < entries.size(); ++j) {
      if (inReference[j] && firstInTranslation[j] == j) {
        ++summary_.kept;
      } else {
        actions_[at(entries[j].line)] = options_.dropRemoved ? Action::Drop : Action::CommentOut;
        ++(options_.dropRemoved ? summary_.dropped : summary_.commentedOut);
      }
    }

    // Lines Ulmar commented out earlier, by their key.
    std::unordered_map<std::string, size_t> commentedOut;
    for (size_t i = bodyBegin; i < bodyEnd; ++i) {
      if (const auto key = commentedOutKey(lines_[i].text)) commentedOut.try_emplace(folder_.fold(*key), i);
    }

    // Each reference key the translation lacks: revived, or new after the
    // entry of the nearest key before it that the translation has.
    size_t anchor = at(section.line);
    std::vector<Placed> placed;  // in the reference's order, for --reorder
    for (size_t i = 0; i < referenceEntries.size(); ++i) {
      const Entry& entry = referenceEntries[i];
      if (firstInReference[i] != i) continue;  // a repeated key counts once
      if (inTranslation[i] != KeyIndex::kNone) {
        anchor = at(entries[inTranslation[i]].line);
        if (options_.reorder) placed.push_back({anchor, {}});
        continue;
      }
      const auto revived = commentedOut.find(folder_.fold(entry.key()));
      if (revived != commentedOut.end()) {
        anchor = revived->second;
        actions_[anchor] = Action::Revive;
        commentedOut.erase(revived);
        ++summary_.revived;
        placed.push_back({anchor, {}});
        continue;
      }
      std::optional<std::string> line = newLine(entry);
      if (!line) continue;
      if (options_.reorder) {
        placed.push_back({SIZE_MAX, std::move(*line)});
      } else {
        inserted_[anchor].push_back(std::move(*line));
      }
      ++summary_.added;
    }
    if (options_.reorder) reorders_[name] = Reorder{bodyBegin, bodyEnd, std::move(placed), entries};
  }



  // A line of the reordered section: a translation line by its index, or a new line.
  struct Placed {
    size_t line;
    std::string text;
  };
  struct Reorder {
    size_t bodyBegin, bodyEnd;
    std::vector<Placed> placed;
    std::span<const Entry> entries;
  };

  size_t sectionEnd(const Section& section) {
    const std::span<const Section> all = translation_.sections();
    const auto self = static_cast<size_t>(&section - all.data());
    return self + 1 < all.size() ? at(all[self + 1].line) : lines_.size();
  }

  void emit(std::string_view text) {
    out_ += text;
    out_ += lineEnd_;
  }

  void emitLine(size_t i) {
    const Line& line = lines_[i];
    switch (actions_[i]) {
      case Action::Keep: out_ += line.text; break;
      case Action::CommentOut:
        out_ += kCommentedOutMark;
        out_ += line.text;
        break;
      case Action::Drop: return;
      case Action::Revive: out_ += line.text.substr(kCommentedOutMark.size()); break;
    }
    // A line that had no end is the last of the file; should more follow, it gets one.
    out_ += line.ending.empty() ? lineEnd_ : line.ending;
  }

  void emitInserted(size_t anchor) {
    const auto found = inserted_.find(anchor);
    if (found == inserted_.end()) return;
    for (const std::string& line : found->second) emit(line);
  }

  void writeAll(const std::vector<std::string_view>& appended) {
    out_.reserve(translation_.text().size() + translation_.text().size() / 8);
    for (size_t i = 0; i < lines_.size();) {
      const Reorder* reorder = reorderStartingAfter(i);
      emitLine(i);
      if (reorder != nullptr) {
        writeReordered(*reorder);
        i = reorder->bodyEnd;
        continue;
      }
      emitInserted(i);
      ++i;
    }
    for (const std::string_view name : appended) {
      std::string header = "[";
      header.append(name).append("]");
      emit(header);
      const std::span<const Entry> entries = reference_.entries(name);
      const KeyIndex index(entries, folder_, true);
      EntryNumbers first;
      index.findFirstEntries(entries, folder_, first);
      for (size_t i = 0; i < entries.size(); ++i) {
        if (first[i] != i) continue;  // a repeated key counts once
        const std::optional<std::string> line = newLine(entries[i]);
        if (!line) continue;
        emit(*line);
        ++summary_.added;
      }
    }
    // A file whose last line had no line end keeps that.
    if (!lastLineEnded_ && out_.ends_with(lineEnd_)) out_.resize(out_.size() - lineEnd_.size());
  }

  const Reorder* reorderStartingAfter(size_t headerLine) const {
    for (const auto& [name, reorder] : reorders_) {
      if (reorder.bodyBegin == headerLine + 1) return &reorder;
    }
    return nullptr;
  }

  // The section's body in the reference's order: each kept entry with the
  // comments and blank lines directly above it, new and revived lines in
  // their place; then obsolete entries and whatever followed the last entry.
  void writeReordered(const Reorder& reorder) {
    std::unordered_map<size_t, std::pair<size_t, size_t>> blockOf;  // entry line -> [first, last] of its block
    size_t blockBegin = reorder.bodyBegin;
    for (const Entry& entry : reorder.entries) {
      const size_t line = at(entry.line);
      blockOf[line] = {blockBegin, line};
      blockBegin = line + 1;
    }
    std::vector<bool> written(lines_.size(), false);
    auto writeBlock = [&](size_t first, size_t last) {
      for (size_t i = first; i <= last; ++i) {
        if (written[i] || actions_[i] == Action::Revive) continue;
        emitLine(i);
        written[i] = true;
      }
    };
    for (const Placed& placed : reorder.placed) {
      if (placed.line == SIZE_MAX) {
        emit(placed.text);
      } else if (actions_[placed.line] == Action::Revive) {
        emitLine(placed.line);
        written[placed.line] = true;
      } else {
        const auto [first, last] = blockOf.at(placed.line);
        writeBlock(first, last);
      }
    }
    // Obsolete entries with their comments, then the rest, in file order.
    for (size_t i = reorder.bodyBegin; i < reorder.bodyEnd; ++i) {
      if (!written[i] && actions_[i] != Action::Revive) {
        emitLine(i);
        written[i] = true;
      }
    }
  }

  FileText encodeOutput() {
    const ByteForm form = translation_.byteForm();
    if (isUtf16(form)) {
      const bool bigEndian = form == ByteForm::Utf16BigEndian;
      FileText bytes(bigEndian ? "\xFE\xFF" : "\xFF\xFE");
      bytes += utf8ToUtf16(std::string_view(out_), bigEndian);
      return bytes;
    }
    if (form == ByteForm::Utf8WithMark) out_.insert(0, "\xEF\xBB\xBF");
    return std::move(out_);
  }

  LanguageFile& reference_;
  LanguageFile& translation_;
  const UpdateOptions& options_;
  KeyFolder folder_;
  KeyFolder helperFolder_;  // for the second thread
  std::vector<Line, LargeAllocator<Line>> lines_;
  std::vector<Action> actions_;
  bool lastLineEnded_ = true;
  std::string lineEnd_;
  TextEncoding target_ = TextEncoding::utf8();
  std::unordered_map<size_t, std::vector<std::string>> inserted_;  // after a line, in order
  std::unordered_map<std::string_view, Reorder> reorders_;
  FileText out_;
  UpdateSummary summary_;
  std::vector<std::string> lossyKeys_;
  std::vector<std::string> unwritableKeys_;
};

}  // namespace

UpdateResult updateTranslation(LanguageFile& reference, LanguageFile& translation, const UpdateOptions& options) {
  sideBySide([&] { reference.load(); }, [&] { translation.load(); });
  return Updater(reference, translation, options).run();
}

UpdateResult createTranslation(LanguageFile& reference) {
  // The reference's INFO section, as its own lines, is where the new file starts.
  std::string start;
  const Section* info = reference.section("INFO");
  if (info != nullptr) {
    LineReader reader(reference.text());
    Line line;
    const std::span<const Section> all = reference.sections();
    const auto self = static_cast<size_t>(info - all.data());
    const uint64_t end = self + 1 < all.size() ? all[self + 1].line : UINT64_MAX;
    while (reader.next(line) && line.number < end) {
      if (line.number < info->line) continue;
      start.append(line.text).append(line.ending.empty() ? std::string_view("\r\n") : line.ending);
    }
  }
  const ByteForm form = reference.byteForm();
  if (isUtf16(form)) {
    const bool bigEndian = form == ByteForm::Utf16BigEndian;
    start = std::string(bigEndian ? "\xFE\xFF" : "\xFF\xFE") + utf8ToUtf16(start, bigEndian);
  } else if (form == ByteForm::Utf8WithMark) {
    start = "\xEF\xBB\xBF" + start;
  }
  LanguageFile translation = LanguageFile::fromText(start, reference.legacyEncoding().name());
  UpdateResult result = updateTranslation(reference, translation, UpdateOptions{});
  result.changed = true;
  return result;
}

std::string describe(const UpdateResult& result) {
  if (!result.changed) return "up to date";
  const UpdateSummary& s = result.summary;
  std::string text = "added " + std::to_string(s.added) + (s.added == 1 ? " key" : " keys");
  if (s.commentedOut > 0) {
    text += ", commented out " + std::to_string(s.commentedOut) + (s.commentedOut == 1 ? " obsolete key" : " obsolete keys");
  }
  if (s.dropped > 0) text += ", dropped " + std::to_string(s.dropped) + (s.dropped == 1 ? " obsolete key" : " obsolete keys");
  if (s.revived > 0) text += ", revived " + std::to_string(s.revived);
  text += ", kept " + std::to_string(s.kept);
  return text;
}

}  // namespace ulmar
