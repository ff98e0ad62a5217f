// What the checks look for inside values, and the search for near names.

#include "text_patterns.h"

#include <gtest/gtest.h>

#include <random>

#include "near_names.h"

namespace ulmar {
namespace {

using Texts = std::vector<std::string_view>;

TEST(TextPatterns, FindsFormatPlaceholders) {
  const struct {
    const char* text;
    Texts expected;
  } rows[] = {
      {"%s of %d", {"%s", "%d"}},
      {"%5.2f %-10s %.3e %x", {"%5.2f", "%-10s", "%.3e", "%x"}},
      {"%0:s and %1:d", {"%0:s", "%1:d"}},
      {"%1 and %2, %99", {"%1", "%2", "%99"}},
      {"{0} of {1} {12}", {"{0}", "{1}", "{12}"}},
      // Near misses
      {"100%% sure", {}},
      {"50% off", {}},
      {"%%s is literal", {}},
      {"a % b", {}},
      {"{} {x} {123} {", {}},
      {"trailing %", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(placeholdersOf(row.text), row.expected);
  }
}

TEST(TextPatterns, CountsAcceleratorMarks) {
  const struct {
    const char* text;
    int count;
  } rows[] = {
      {"&Open", 1},           {"Save &as...", 1},      {"&1 file", 1},     {"&\xC3\x84nderung", 1},
      {"&&Copy && paste", 0}, {"Tom & Jerry", 0},      {"end &", 0},       {"&File &Edit", 2},
      {"&&&Open", 1},         {"no mark at all", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(acceleratorCount(row.text), row.count);
  }
}

TEST(TextPatterns, FindsRunsOfLetters) {
  const struct {
    const char* text;
    bool expected;
  } rows[] = {
      {"Open", true}, {"Stra\xC3\x9F" "e", true}, {"\xD0\x9E\xD0\xBA\xD0\xBD\xD0\xBE", true},
      {"OK", false},  {"%s", false},              {"1.0", false},  {"%d %s", false}, {"A-B-C", false}, {"%sabc", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(hasLetterRun(row.text, 3), row.expected);
  }
}

TEST(TextPatterns, TellsTextEncodedTwice) {
  EXPECT_TRUE(looksDoubleEncoded("caf\xC3\x83\xC2\xA9"));          // "cafÃ©"
  EXPECT_TRUE(looksDoubleEncoded("it\xC3\xA2\xE2\x82\xAC\xE2\x84\xA2s"));  // "itâ€™s"
  EXPECT_FALSE(looksDoubleEncoded("caf\xC3\xA9"));
  EXPECT_FALSE(looksDoubleEncoded("\xC3\x83rger"));  // a capital A tilde of its own
  EXPECT_TRUE(holdsMultiByteUtf8("M\xC3\xA4rz"));
  EXPECT_FALSE(holdsMultiByteUtf8("M\xE4rz"));
}

TEST(NearNames, FindsTheNearestWithinTwoEditsOrAShortAffix) {
  const NearNames near({"tmainform.savebutton.caption", "tmainform.loadbutton.caption", "sfilenotfound",
                        "toptions.font", "tabout.version.caption"});
  const struct {
    const char* name;
    std::optional<size_t> expected;
  } rows[] = {
      {"tmainform.savebuton.caption", 0},      // one deletion
      {"tmainform.savebutton.captoin", 0},     // two substitutions
      {"tmainform.loadbutton.caption2", 1},    // an insertion
      {"sfilenotfoundx", 2},                   // a suffix
      {"xxsfilenotfound", 2},                  // a prefix
      {"sfilenotfound.msg", 2},                // a suffix of four
      {"toptions.font.hint", std::nullopt},    // a suffix of five
      {"tabout.versio.captio", 4},             // two deletions
      {"tabout.vers.capt", std::nullopt},      // too far
      {"tmainform.xxxxbutton.caption", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(near.nearest(row.name), row.expected);
  }
}

// Every name within two edits is found, wherever the edits fall.
TEST(NearNames, MissesNoNameWithinTwoEdits) {
  std::mt19937 random(11);
  auto randomName = [&random] {
    std::string name;
    const size_t length = 3 + random() % 20;
    for (size_t i = 0; i < length; ++i) name += static_cast<char>('a' + random() % 6);
    return name;
  };
  for (int round = 0; round < 300; ++round) {
    const std::string name = randomName();
    std::string edited = name;
    for (int edit = 0; edit < 2; ++edit) {
      const size_t at = random() % (edited.size() + 1);
      switch (random() % 3) {
        case 0: edited.insert(at, 1, 'z'); break;
        case 1: if (at < edited.size()) edited.erase(at, 1); break;
        default: if (at < edited.size()) edited[at] = 'y'; break;
      }
    }
    SCOPED_TRACE(name + " / " + edited);
    const NearNames near({"qqqqqqqqqqqq", name});
    ASSERT_TRUE(near.nearest(edited).has_value());
  }
}

}  // namespace
}  // namespace ulmar
