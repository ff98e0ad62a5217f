#include "report_formats.h"

#include <nlohmann/json.hpp>

namespace ulmar {

namespace {

using Json = nlohmann::ordered_json;

Json listJson(const std::vector<ListedSection>& list, LanguageFile& file) {
  Json sections = Json::array();
  for (const ListedSection& section : list) {
    Json keys = Json::array();
    for (const ListedKey& key : section.keys) {
      keys.push_back({{"key", utf8Of(file, key.key)},
                      {"offset", key.offset},
                      {"line", key.entry->line},
                      {"value", utf8Of(file, key.value)}});
    }
    sections.push_back({{"section", section.section}, {"keys", std::move(keys)}});
  }
  return sections;
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
  Json report;
  report["format"] = "ulmar-report";
  report["version"] = 1;
  report["reference"] = fileJson(files.referencePath, files.reference);
  report["translation"] = fileJson(files.translationPath, files.translation);
  if (result.info) {
    Json info = Json::object();
    for (size_t i = 0; i < kInfoKeys.size(); ++i) info[std::string(kInfoKeys[i])] = utf8Of(files.translation, (*result.info)[i]);
    report["info"] = std::move(info);
  } else {
    report["info"] = nullptr;
  }
  report["to_add"] = listJson(result.missing, files.reference);
  report["to_remove"] = listJson(result.removed, files.translation);
  if (result.counts) {
    const auto& counts = *result.counts;
    report["counts"] = {{"forms_to_add", counts[0]},
                        {"strings_to_add", counts[1]},
                        {"forms_to_remove", counts[2]},
                        {"strings_to_remove", counts[3]}};
  } else {
    report["counts"] = nullptr;
  }
  Json messages = Json::array();
  for (const std::string_view message : result.messages()) messages.push_back(message);
  report["messages"] = std::move(messages);
  report["status"] = status;
  // Bytes that are not UTF-8 (in a path, say) become U+FFFD.
  out << report.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
  out.flush();
}

}  // namespace ulmar
