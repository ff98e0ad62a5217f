#pragma once
// Checks of a translation against the reference: the faults that reach
// users (a lost placeholder, an accelerator gone, a key written twice, text
// left in the reference's language, text gone stale). Each check is a row of
// one table: its name, its severity, a line of explanation and a function.

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "language_file.h"

namespace ulmar {

enum class Severity { Error, Warning, Note };
std::string_view severityName(Severity severity);

// Which of the files a finding points at.
enum class CheckedFile { Reference, Translation, OldReference };

struct Place {
  CheckedFile file;
  uint32_t line;
};

struct Finding {
  std::string_view check;
  Severity severity;
  Place place;
  std::string_view section;  // "FORMS", "STRINGS", "INFO"; "" when the finding is about the file
  std::string key;      // UTF-8; "" when it is about no key
  std::string message;  // UTF-8
  std::optional<Place> related;
};

// The files a run checks; `oldReference` only with --since.
struct CheckedFiles {
  LanguageFile& reference;
  LanguageFile& translation;
  LanguageFile* oldReference = nullptr;
};

class CheckContext;

struct CheckDefinition {
  std::string_view name;
  Severity severity;
  std::string_view explanation;
  void (*run)(CheckContext& context);
};

// Every check, in the order they are listed.
std::span<const CheckDefinition> allChecks();

// Findings grow in blocks, never copied as they grow: a large file may have
// hundreds of thousands.
using Findings = std::deque<Finding>;

// Runs the checks named in `enabled` and gives their findings, in no
// particular order. Throws std::bad_alloc only.
Findings runChecks(CheckedFiles files, const std::set<std::string, std::less<>>& enabled);

}  // namespace ulmar
