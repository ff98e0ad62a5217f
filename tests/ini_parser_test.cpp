// The line rules of language files, fed whole and in pieces of every size.

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

// Turns what the parser delivers into lines: "[name]" and "key=value".
// Sections named in `keysOnly` get their keys alone, those in `ignored` nothing.
class TranscriptSink : public IniSink {
public:
  std::vector<std::string> keysOnly;
  std::vector<std::string> ignored;
  std::string transcript;

  SectionUse openSection(std::string_view name) override {
    transcript.append("[").append(escaped(name)).append("]\n");
    for (const auto& n : ignored) {
      if (n == name) return SectionUse::Ignore;
    }
    for (const auto& n : keysOnly) {
      if (n == name) return SectionUse::Keys;
    }
    return SectionUse::KeysAndValues;
  }
  void addEntry(std::string_view key, std::string_view value) override {
    transcript += escaped(key) + "=" + escaped(value) + "\n";
  }
};

std::string parseInPieces(std::string_view text, size_t pieceSize, TranscriptSink sink = {},
                          size_t headerBytesRead = kHeaderBytesRead) {
  IniParser parser(sink, headerBytesRead);
  for (size_t at = 0; at < text.size(); at += pieceSize) parser.feed(text.substr(at, pieceSize));
  parser.finish();
  return sink.transcript;
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
    EXPECT_EQ(parseInPieces(c.text, c.text.size() + 1), c.transcript);
  }
}

TEST(IniParser, GivesTheSameResultWhateverPiecesTheTextComesIn) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    for (size_t piece : {1, 2, 3, 7}) {
      SCOPED_TRACE(piece);
      EXPECT_EQ(parseInPieces(c.text, piece), c.transcript);
    }
  }
}

// An open line that cannot matter is dropped, not kept; what can matter is
// still delivered whole.
TEST(IniParser, DeliversOnlyWhatTheSectionWants) {
  const std::string text =
      "[Keys]\n  long.key.name = a value that nobody reads\n[Ignored]\nx=1\n[All]\nk = \"v\" \n"
      "[Keys]\nrepeat=2\n";
  TranscriptSink sink;
  sink.keysOnly = {"Keys"};
  sink.ignored = {"Ignored"};
  const std::string expected = "[Keys]\nlong.key.name=\n[Ignored]\n[All]\nk=\"v\"\n[Keys]\nrepeat=\n";
  for (size_t piece : {1, 5, 1000}) {
    SCOPED_TRACE(piece);
    EXPECT_EQ(parseInPieces(text, piece, sink), expected);
  }
}

// A header line is read only as far as a name can reach; a longer name is
// known by its start, and only the line's last ']' beyond that is looked for.
TEST(IniParser, ReadsASectionNameFromTheStartOfItsLine) {
  const struct {
    const char* name;
    std::string text;
    std::string transcript;
  } rows[] = {
      {"short name", "[FORMS]\nA=1\n", "[FORMS]\nA=1\n"},
      {"name padded far with blanks", "[FORMS" + std::string(30, ' ') + "]\nA=1\n", "[FORMS]\nA=1\n"},
      {"long name known by its start", "[LONGNAMEXYZ]\nA=1\n", "[LONGNAM]\nA=1\n"},
      {"far last bracket", "[AB]" + std::string(30, 'x') + "]\nA=1\n", "[AB]" + std::string(4, 'x') + "]\nA=1\n"},
      {"long text after a near bracket", "[AB]" + std::string(30, 'x') + "\nA=1\n", "[AB]\nA=1\n"},
      {"long bracket line without close before any header", "[" + std::string(30, 'x') + "=1\n[S]\nA=1\n",
       "[S]\nA=1\n"},
      {"long bracket line without close is an entry in a section", "[S]\n[" + std::string(30, 'x') + "=1\n",
       "[S]\n[" + std::string(30, 'x') + "=1\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    for (size_t piece : {1, 2, 3, 7, 1000}) {
      SCOPED_TRACE(piece);
      EXPECT_EQ(parseInPieces(row.text, piece, {}, 8), row.transcript);
    }
  }
}

}  // namespace
}  // namespace ulmar
