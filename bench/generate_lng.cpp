// Writes a reference and a translation language file with N keys in each of
// [FORMS] and [STRINGS], always the same for the same N: realistic key names,
// values of 20 to 80 bytes, about 5% of the keys missing each way, some keys
// in other letter case, and the translation's order slightly shuffled.
// With --po, also writes both as .po files (msgctxt = section, msgid = the
// key in lower case) for peers that compare message catalogues.
//
//   ulmar-gen-lng N OUT_DIR [--po]

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

class Random {
public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  size_t below(size_t n) { return static_cast<size_t>(next() % n); }
  bool chance(int percent) { return below(100) < static_cast<size_t>(percent); }

private:
  uint64_t state_;
};

constexpr std::array<std::string_view, 24> kForms = {
    "Main", "Options", "About", "Find", "Replace", "Print", "Export", "Import", "Sync", "Account", "Tags", "Search",
    "Preview", "Wizard", "Update", "License", "Plugins", "Backup", "Restore", "Profile", "Share", "Report", "Help",
    "Toolbar"};
constexpr std::array<std::string_view, 20> kControls = {
    "SaveButton", "CancelButton", "OKButton", "NameLabel", "PathEdit", "FileMenu", "EditMenu", "ViewMenu",
    "StatusBar", "TreeView", "ListView", "ThemeCombo", "FontButton", "ColorBox", "HelpButton", "CloseItem",
    "NewItem", "OpenItem", "PageControl", "SplitPanel"};
constexpr std::array<std::string_view, 3> kProperties = {"Caption", "Hint", "Text"};
constexpr std::array<std::string_view, 24> kWords = {
    "File", "Not", "Found", "Save", "Changes", "Printer", "Ready", "Sync", "Conflict", "Offline", "Tag", "Exists",
    "Delete", "Note", "Word", "Count", "Search", "Match", "Update", "Available", "Export", "Failed", "Access",
    "Denied"};
constexpr std::string_view kText =
    "the quick brown fox jumps over the lazy dog while the translator keeps every key of the "
    "product in step with the newest sample file and checks each caption hint and message again ";

std::string formsKey(size_t i) {
  const size_t f = i % kForms.size();
  const size_t c = (i / kForms.size()) % kControls.size();
  const size_t n = i / (kForms.size() * kControls.size());
  std::string key = "T";
  key += kForms[f];
  key += "Form.";
  key += kControls[c];
  if (n > 0) key += std::to_string(n);
  key += '.';
  key += kProperties[(f + c) % kProperties.size()];
  return key;
}

std::string stringsKey(size_t i) {
  const size_t a = i % kWords.size();
  const size_t b = (i / kWords.size()) % kWords.size();
  const size_t n = i / (kWords.size() * kWords.size());
  std::string key = "S";
  key += kWords[a];
  key += kWords[b];
  if (n > 0) key += std::to_string(n);
  return key;
}

std::string value(Random& random) {
  const size_t length = 20 + random.below(61);
  const size_t start = random.below(kText.size() - length);
  return std::string(kText.substr(start, length));
}

std::string upper(std::string key) {
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

std::string lower(std::string key) {
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

struct Section {
  const char* name;
  std::vector<std::string> reference;
  std::vector<std::string> translation;
};

// The translation: most reference keys, a few in other case, some dropped,
// some of its own, and neighbours swapped here and there.
std::vector<std::string> translate(const std::vector<std::string>& reference, const std::string& extraPrefix,
                                   Random& random) {
  std::vector<std::string> keys;
  keys.reserve(reference.size());
  size_t extra = 0;
  for (const std::string& key : reference) {
    if (random.chance(5)) {
      keys.push_back(extraPrefix + std::to_string(extra++));
    }
    if (random.chance(5)) continue;
    keys.push_back(random.chance(10) ? upper(key) : key);
  }
  for (size_t i = 1; i < keys.size(); ++i) {
    if (random.chance(3)) std::swap(keys[i - 1], keys[i]);
  }
  return keys;
}

bool writeLng(const std::string& path, const std::vector<Section>& sections, bool reference, Random& random) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::fprintf(out, "; generated language file\r\n[INFO]\r\nlanguage=%s\r\ncompatibility=Bench 1.0\r\n"
                    "developer=Bench\r\ncontacts=bench@example.org\r\nupdated=2026-12-11\r\n\r\n",
               reference ? "English" : "Deutsch");
  std::string line;
  for (const Section& section : sections) {
    std::fprintf(out, "[%s]\r\n", section.name);
    for (const std::string& key : reference ? section.reference : section.translation) {
      line = key;
      line += '=';
      line += value(random);
      line += "\r\n";
      std::fwrite(line.data(), 1, line.size(), out);
    }
    std::fputs("\r\n", out);
  }
  return std::fclose(out) == 0;
}

bool writePo(const std::string& path, const std::vector<Section>& sections, bool reference) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::fputs("msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n", out);
  for (const Section& section : sections) {
    for (const std::string& key : reference ? section.reference : section.translation) {
      std::fprintf(out, "msgctxt \"%s\"\nmsgid \"%s\"\nmsgstr \"x\"\n\n", section.name, lower(key).c_str());
    }
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ulmar-gen-lng N OUT_DIR [--po]\n");
    return 2;
  }
  const size_t n = std::strtoull(argv[1], nullptr, 10);
  const std::string dir = argv[2];
  const bool po = argc > 3 && std::string_view(argv[3]) == "--po";

  Random random(0x5EED0000ULL + n);
  std::vector<Section> sections = {{"FORMS", {}, {}}, {"STRINGS", {}, {}}};
  for (size_t i = 0; i < n; ++i) {
    sections[0].reference.push_back(formsKey(i));
    sections[1].reference.push_back(stringsKey(i));
  }
  sections[0].translation = translate(sections[0].reference, "TObsoleteForm.Removed", random);
  sections[1].translation = translate(sections[1].reference, "SObsolete", random);

  bool ok = writeLng(dir + "/reference.lng", sections, true, random) &&
            writeLng(dir + "/translation.lng", sections, false, random);
  if (po) ok = ok && writePo(dir + "/reference.po", sections, true) && writePo(dir + "/translation.po", sections, false);
  if (!ok) {
    std::fprintf(stderr, "ulmar-gen-lng: cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
