// The line rules of language files: what each kind of line gives, and where.

#include "ini_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace ulmar {
namespace {

std::string escaped(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

// Turns what the parser keeps into lines: "[name]" and "key=value", the
// value as written (quotes kept).
std::string transcriptOf(std::string_view text) {
  const IniContent content = parseIni(text);
  std::string transcript;
  for (const Section& section : content.sections) {
    transcript.append("[").append(escaped(section.name)).append("]\n");
    for (size_t i = 0; i < section.entryCount; ++i) {
      const Entry& entry = content.entries[section.firstEntry + i];
      transcript += escaped(entry.key()) + "=" + escaped(rawValueOf(entry, text)) + "\n";
    }
  }
  return transcript;
}

struct Case {
  const char* name;
  std::string text;
  std::string transcript;
};

const std::vector<Case> kCases = {
    // Lines and their ends
    {"lf line ends", "[S]\na=1\nb=2\n", "[S]\na=1\nb=2\n"},
    {"crlf line ends", "[S]\r\na=1\r\nb=2\r\n", "[S]\na=1\nb=2\n"},
    {"lone cr line ends", "[S]\ra=1\rb=2", "[S]\na=1\nb=2\n"},
    {"mixed line ends", "[S]\r\na=1\rb=2\nc=3", "[S]\na=1\nb=2\nc=3\n"},
    {"last line needs no end", "[S]\na=1", "[S]\na=1\n"},
    {"blank lines skipped", "\n\n[S]\n\n   \n\t\na=1\n\n", "[S]\na=1\n"},
    {"empty text", "", ""},

    // Trimming: TAB LF VT FF CR space and 0x1A, not 0xA0
    {"names and values trimmed", "[S]\n  \tkey \x0B= \x0Cvalue\x1A  \n", "[S]\nkey=value\n"},
    {"inner blanks kept", "[S]\nmy key = a  b \n", "[S]\nmy key=a  b\n"},
    {"no-break space is not blank", "[S]\n\xA0key\xA0=\xA0v\xA0\n", "[S]\n\\xA0key\\xA0=\\xA0v\\xA0\n"},

    // Comments
    {"semicolon line is a comment", "[S]\n;a=1\n  ; b=2\nc=3\n", "[S]\nc=3\n"},
    {"hash is ordinary text", "[S]\n#a=1\n", "[S]\n#a=1\n"},
    {"later semicolon is ordinary text", "[S]\na=1 ; note\n", "[S]\na=1 ; note\n"},

    // Section headers
    {"header name trimmed", "[  Forms \t]\na=1\n", "[Forms]\na=1\n"},
    {"name runs to the last bracket", "[a]b]\nx=1\n", "[a]b]\nx=1\n"},
    {"text after the bracket ignored", "[S] trailing\nx=1\n", "[S]\nx=1\n"},
    {"long header line read whole", "[" + std::string(100000, 'h') + "]\n[S]\nx=1\n", "[" + std::string(100000, 'h') + "]\n[S]\nx=1\n"},
    {"header with equals sign", "[S=1]\nx=1\n", "[S=1]\nx=1\n"},
    {"indented header", "   [S]\nx=1\n", "[S]\nx=1\n"},
    {"bracket line without close is an entry", "[S]\n[x=1\n", "[S]\n[x=1\n"},
    {"bracket line without close nor equals", "[S]\n[x\ny=2\n", "[S]\ny=2\n"},
    {"empty section name", "[]\nx=1\n", "[]\nx=1\n"},
    {"lines before the first header belong nowhere", "a=1\nb=2\n[S]\nc=3\n", "[S]\nc=3\n"},

    // Entries
    {"split at the first equals", "[S]\na=b=c\n", "[S]\na=b=c\n"},
    {"line without equals is no entry", "[S]\njust text\nb=2\n", "[S]\nb=2\n"},
    {"empty value", "[S]\na=\n", "[S]\na=\n"},
    {"empty key skipped and later keys kept", "[S]\n=v\n  =w\nb=2\n", "[S]\nb=2\n"},
    {"repeated key kept each time", "[S]\na=1\na=2\nA=3\n", "[S]\na=1\na=2\nA=3\n"},
    {"quotes kept by the parser", "[S]\na=\"q\"\n", "[S]\na=\"q\"\n"},

    // NUL bytes end the name or value they stand in
    {"nul ends a key", std::string("[S]\nab\0cd=1\n", 12), "[S]\nab=1\n"},
    {"nul ends a value", std::string("[S]\na=12\0 34\n", 13), "[S]\na=12\n"},
    {"nul before equals still splits at it", std::string("[S]\na\0b=c\n", 10), "[S]\na=c\n"},
    {"key cut to nothing by nul is skipped", std::string("[S]\n\0x=1\nb=2\n", 13), "[S]\nb=2\n"},
    {"nul ends a section name", std::string("[AB\0C]\nx=1\n", 11), "[AB]\nx=1\n"},

    // Bytes that are not ASCII pass through unchanged
    {"8-bit bytes kept", "[S]\n\xC4nderung=\xFC\xE4\n", "[S]\n\\xC4nderung=\\xFC\\xE4\n"},
};

TEST(IniParser, ReadsEachLineByTheProfileRules) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(transcriptOf(c.text), c.transcript);
  }
}

// Lines are numbered as an editor shows them: LF, CR LF and a lone CR each
// end one line, and blank lines count.
TEST(IniParser, NumbersEachEntryByItsLine) {
  const struct {
    const char* name;
    std::string text;
    std::vector<uint32_t> lines;  // of the header, then of each entry
  } rows[] = {
      {"lf", "[S]\na=1\n\nb=2\n", {1, 2, 4}},
      {"crlf", "[S]\r\na=1\r\n\r\nb=2\r\n", {1, 2, 4}},
      {"lone cr", "[S]\ra=1\r\rb=2", {1, 2, 4}},
      {"mixed", "\r\n[S]\r\ra=1\n\r\nb=2", {2, 4, 6}},
      {"lf cr is two line ends", "[S]\n\ra=1", {1, 3}},
      {"comments and bad lines count", "; c\n[S]\nno equals\n=nameless\nk=v\n", {2, 5}},
      {"header with trailing text", "x\n[S] trailing\nk=v", {2, 3}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const IniContent content = parseIni(row.text);
    std::vector<uint32_t> lines;
    for (const Section& section : content.sections) lines.push_back(section.line);
    for (const Entry& entry : content.entries) lines.push_back(entry.line);
    EXPECT_EQ(lines, row.lines);
  }
}

// What an entry knows of its line: the value as written, without quotes, and
// the whole line.
TEST(IniParser, GivesEachEntrysValueAndLine) {
  const struct {
    const char* name;
    std::string text;
    std::string raw, value, line;
  } rows[] = {
      {"plain", "[S]\nk=v\n", "v", "v", "k=v"},
      {"blanks around", "[S]\n  k =  a b  \r\n", "a b", "a b", "  k =  a b  "},
      {"double quotes", "[S]\nk=\" q \"\n", "\" q \"", " q ", "k=\" q \""},
      {"single quotes", "[S]\nk='q'", "'q'", "q", "k='q'"},
      {"unmatched quotes kept", "[S]\nk=\"q'\n", "\"q'", "\"q'", "k=\"q'"},
      {"lone quote kept", "[S]\nk=\"\n", "\"", "\"", "k=\""},
      {"later equals signs", "[S]\nk=a=b\n", "a=b", "a=b", "k=a=b"},
      {"empty value", "[S]\nk=\n", "", "", "k="},
      {"key cut at nul", std::string("[S]\nk\0x=v\n", 10), "v", "v", std::string("k\0x=v", 5)},
      {"value cut at nul", std::string("[S]\nk=a\0b\n", 10), "a", "a", std::string("k=a\0b", 5)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const IniContent content = parseIni(row.text);
    ASSERT_EQ(content.entries.size(), 1u);
    EXPECT_EQ(rawValueOf(content.entries[0], row.text), row.raw);
    EXPECT_EQ(valueOf(content.entries[0], row.text), row.value);
    EXPECT_EQ(lineOf(content.entries[0], row.text), row.line);
  }
}

}  // namespace
}  // namespace ulmar
