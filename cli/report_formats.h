#pragma once
// The report written for programs: one line per finding in the form
// compilers use, or one JSON document.

#include <ostream>
#include <string>

#include "language_file.h"
#include "report.h"

namespace ulmar {

// The two files of a run, as named on the command line.
struct ReportFiles {
  std::string referencePath;
  std::string translationPath;
  LanguageFile& reference;
  LanguageFile& translation;
};

// "PATH:LINE: [SECTION] KEY: not in the translation" for each key to add,
// then "...: no longer in the reference" for each key to remove; keys in UTF-8.
void writeFindingLines(std::ostream& out, const ReportResult& result, const ReportFiles& files);

// The whole run as one JSON document (format "ulmar-report", version 1),
// every string valid UTF-8.
void writeJsonReport(std::ostream& out, const ReportResult& result, const ReportFiles& files, int status);

// The name of the encoding a file was read in: "UTF-8", "UTF-16LE",
// "UTF-16BE" or the legacy code page's ICU name; empty when it could not be read.
std::string encodingName(LanguageFile& file);

// `bytes` of `file` as UTF-8, each piece decoded by its own encoding.
std::string utf8Of(LanguageFile& file, std::string_view bytes);

}  // namespace ulmar
