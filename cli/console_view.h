#pragma once
// The report view of the command line: gathers the report and writes it as
// plain text, the lists and counts to one stream and the messages to another.

#include <array>
#include <optional>
#include <ostream>
#include <string>

#include "report_view.h"

namespace ulmar {

class ConsoleView : public ReportView {
public:
  // Messages go to `messages` as the run shows them, one a line.
  ConsoleView(bool offsets, std::ostream& messages);

  // The command line reads its files itself.
  std::string referencePath() override { return {}; }
  std::string translationPath() override { return {}; }
  bool offsetsWanted() override { return offsets_; }
  void clearMissingList() override { missing_.clear(); }
  void clearRemovedList() override { removed_.clear(); }
  void addMissingLine(std::string_view line, const TextEncoding&) override;
  void addRemovedLine(std::string_view line, const TextEncoding&) override;
  void setFileInformation(std::string_view text, const TextEncoding&) override;
  void setCount(ReportCount which, int64_t value) override;
  void showMessage(std::string_view text) override;

  // Writes both lists, the file information and the counts, each line ended
  // by "\n"; "???" stands for what the run did not set.
  void writeReport(std::ostream& out) const;

private:
  bool offsets_;
  std::ostream& messages_;
  std::string missing_;  // lines, each ended by "\n"
  std::string removed_;
  std::optional<std::string> fileInformation_;
  std::array<std::optional<int64_t>, 4> counts_;
};

}  // namespace ulmar
