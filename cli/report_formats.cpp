#include "report_formats.h"

#include <nlohmann/json.hpp>

namespace ulmar {

namespace {

using Json = nlohmann::ordered_json;

// A value as JSON text; bytes that are not UTF-8 (in a path, say) become U+FFFD.
std::string dumped(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

// A list of sections, written key by key: a DOM of hundreds of thousands of
// keys would cost more than the report itself.
void writeList(std::ostream& out, const std::vector<ListedSection>& list, LanguageFile& file) {
  out << '[';
  for (size_t s = 0; s < list.size(); ++s) {
    const ListedSection& section = list[s];
    out << (s == 0 ? "\n    " : ",\n    ") << "{\"section\": " << dumped(section.section) << ", \"keys\": [";
    for (size_t k = 0; k < section.keys.size(); ++k) {
      const ListedKey& key = section.keys[k];
      const Json entry = {{"key", utf8Of(file, key.key)},
                          {"offset", key.offset},
                          {"line", key.entry->line},
                          {"value", utf8Of(file, key.value)}};
      out << (k == 0 ? "\n      " : ",\n      ") << dumped(entry);
    }
    out << (section.keys.empty() ? "]}" : "\n    ]}");
  }
  out << (list.empty() ? "]" : "\n  ]");
}

Json fileJson(const std::string& path, LanguageFile& file) {
  const std::string encoding = encodingName(file);
  return {{"path", path}, {"encoding", encoding.empty() ? Json(nullptr) : Json(encoding)}};
}

void writeLines(std::ostream& out, const std::vector<ListedSection>& list, const std::string& path,
                LanguageFile& file, std::string_view finding) {
  for (const ListedSection& section : list) {
    for (const ListedKey& key : section.keys) {
      out << path << ':' << key.entry->line << ": " << section.header << ' ' << utf8Of(file, key.key) << ": "
          << finding << '\n';
    }
  }
}

}  // namespace

std::string encodingName(LanguageFile& file) {
  if (file.status() != ReadStatus::Read) return {};
  switch (file.byteForm()) {
    case ByteForm::Utf16LittleEndian: return "UTF-16LE";
    case ByteForm::Utf16BigEndian: return "UTF-16BE";
    case ByteForm::Utf8WithMark:
    case ByteForm::Plain: break;
  }
  return file.encoding().name();
}

std::string utf8Of(LanguageFile& file, std::string_view bytes) { return file.encodingOf(bytes).toUtf8(bytes); }

void writeFindingLines(std::ostream& out, const ReportResult& result, const ReportFiles& files) {
  writeLines(out, result.missing, files.referencePath, files.reference, "not in the translation");
  writeLines(out, result.removed, files.translationPath, files.translation, "no longer in the reference");
  out.flush();
}

void writeJsonReport(std::ostream& out, const ReportResult& result, const ReportFiles& files, int status) {
  Json info = nullptr;
  if (result.info) {
    info = Json::object();
    for (size_t i = 0; i < kInfoKeys.size(); ++i) info[std::string(kInfoKeys[i])] = utf8Of(files.translation, (*result.info)[i]);
  }
  Json counts = nullptr;
  if (result.counts) {
    const auto& count = *result.counts;
    counts = {{"forms_to_add", count[0]},
              {"strings_to_add", count[1]},
              {"forms_to_remove", count[2]},
              {"strings_to_remove", count[3]}};
  }
  Json messages = Json::array();
  for (const std::string_view message : result.messages()) messages.push_back(message);

  out << "{\n  \"format\": \"ulmar-report\",\n  \"version\": 1,\n";
  out << "  \"reference\": " << dumped(fileJson(files.referencePath, files.reference)) << ",\n";
  out << "  \"translation\": " << dumped(fileJson(files.translationPath, files.translation)) << ",\n";
  out << "  \"info\": " << dumped(info) << ",\n";
  out << "  \"to_add\": ";
  writeList(out, result.missing, files.reference);
  out << ",\n  \"to_remove\": ";
  writeList(out, result.removed, files.translation);
  out << ",\n  \"counts\": " << dumped(counts) << ",\n";
  out << "  \"messages\": " << dumped(messages) << ",\n";
  out << "  \"status\": " << status << "\n}\n";
  out.flush();
}

}  // namespace ulmar
