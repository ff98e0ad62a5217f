// The presence index: one key at a time and many at once must agree, with
// repeated keys, keys beyond ASCII and more keys than one pipeline holds.

#include "key_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ulmar {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> indexed;
  std::vector<std::string> asked;
  std::vector<bool> expected;
};

std::vector<std::string> numbered(const std::string& prefix, int count) {
  std::vector<std::string> keys;
  for (int i = 0; i < count; ++i) keys.push_back(prefix + std::to_string(i));
  return keys;
}

std::vector<bool> every(int count, bool value, int exceptEvery = 0) {
  std::vector<bool> values(static_cast<size_t>(count), value);
  for (int i = 0; exceptEvery > 0 && i < count; i += exceptEvery) values[static_cast<size_t>(i)] = !value;
  return values;
}

std::vector<std::string> everyThirdRenamed(std::vector<std::string> keys) {
  for (size_t i = 0; i < keys.size(); i += 3) keys[i] += "-renamed";
  return keys;
}

const std::vector<Case> kCases = {
    {"empty index", {}, {"a", "b"}, {false, false}},
    {"nothing asked", {"a"}, {}, {}},
    {"case-blind", {"Caption", "HINT"}, {"CAPTION", "hint", "Captio"}, {true, true, false}},
    {"repeated keys stored once, still found", {"a", "A", "a", "a", "b"}, {"a", "B", "c"}, {true, true, false}},
    {"one key repeated many times", std::vector<std::string>(5000, "same"), {"SAME", "other"}, {true, false}},
    {"keys beyond ascii", {"Stra\xC3\x9F" "e", "\xC3\x84nderung"}, {"STRASSE", "\xC3\xA4NDERUNG", "\xC3\x84"},
     {true, true, false}},
    {"legacy and utf-8 keys of one index", {"\xC4nderung", "\xC3\x96l"}, {"\xE4NDERUNG", "\xC3\xB6L", "\xD6L"},
     {true, true, true}},
    {"equal bytes match whatever they are", {"a\x81\xC3", "\xFF\xFE"}, {"A\x81\xC3", "\xFF\xFE", "\xFF\xFF"},
     {true, true, false}},
    {"more keys than the pipeline holds", numbered("TForm.Key", 1000), everyThirdRenamed(numbered("tform.key", 1000)),
     every(1000, true, 3)},
};

// A section's entries for `keys`, parsed from text held by `text`.
IniContent entriesFor(const std::vector<std::string>& keys, std::string& text) {
  text = "[S]\n";
  for (const std::string& key : keys) text += key + "=v\n";
  return parseIni(text);
}

TEST(KeyIndex, FindsEachKeyAskedFor) {
  const KeyFolder folder("windows-1252");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string indexedText;
    std::string askedText;
    const IniContent indexed = entriesFor(c.indexed, indexedText);
    const IniContent asked = entriesFor(c.asked, askedText);
    const KeyIndex index(std::span<const Entry>(indexed.entries), folder);
    std::vector<bool> many;
    index.findEach(asked.entries, folder, many);
    EXPECT_EQ(many, c.expected);
    std::vector<bool> oneByOne;
    for (const Entry& entry : asked.entries) oneByOne.push_back(index.contains(entry.key(), folder));
    EXPECT_EQ(oneByOne, c.expected);
  }
}

// A numbered index names the first entry of each key, letter case aside.
TEST(KeyIndex, NamesTheFirstEntryOfEachKey) {
  const KeyFolder folder("windows-1252");
  std::string indexedText;
  std::string askedText;
  const IniContent indexed = entriesFor({"a", "B", "A", "\xC3\x84", "b", "\xC3\xA4"}, indexedText);
  const IniContent asked = entriesFor({"A", "b", "\xC4", "c"}, askedText);
  const KeyIndex index(std::span<const Entry>(indexed.entries), folder, true);
  EXPECT_TRUE(index.hasRepeatedKeys());
  EntryNumbers first;
  index.findFirstEntries(indexed.entries, folder, first);
  EXPECT_EQ(std::vector<uint32_t>(first.begin(), first.end()), (std::vector<uint32_t>{0, 1, 0, 3, 1, 3}));
  index.findFirstEntries(asked.entries, folder, first);
  EXPECT_EQ(std::vector<uint32_t>(first.begin(), first.end()), (std::vector<uint32_t>{0, 1, 3, KeyIndex::kNone}));
  const KeyIndex distinct(std::span<const Entry>(asked.entries), folder, true);
  EXPECT_FALSE(distinct.hasRepeatedKeys());
}

}  // namespace
}  // namespace ulmar
