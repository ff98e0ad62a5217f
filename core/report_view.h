#pragma once
// What a report run reads from and writes to whoever shows the report: the
// window, the command line, or a recording in the tests.

#include <cstdint>
#include <string>
#include <string_view>

#include "text_encoding.h"

namespace ulmar {

enum class ReportCount { FormsToAdd, StringsToAdd, FormsToRemove, StringsToRemove };

class ReportView {
public:
  virtual ~ReportView() = default;

  // Inputs, read at the start of the run.
  virtual std::string referencePath() = 0;
  virtual std::string translationPath() = 0;
  // Read anew for every line of a missing or removed key.
  virtual bool offsetsWanted() = 0;

  virtual void clearMissingList() = 0;
  virtual void clearRemovedList() = 0;
  // Appends one line; `encoding` says how its bytes are to be shown.
  virtual void addMissingLine(std::string_view line, const TextEncoding& encoding) = 0;
  virtual void addRemovedLine(std::string_view line, const TextEncoding& encoding) = 0;
  // Replaces the file-information line (which holds one carriage return).
  virtual void setFileInformation(std::string_view text, const TextEncoding& encoding) = 0;
  virtual void setCount(ReportCount which, int64_t value) = 0;
  // Shows the message and returns once the user has seen it.
  virtual void showMessage(std::string_view text) = 0;
};

}  // namespace ulmar
