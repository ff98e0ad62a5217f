#include "console_view.h"

#include <algorithm>

#include "messages.h"

namespace ulmar {

ConsoleView::ConsoleView(bool offsets, std::ostream& messages) : offsets_(offsets), messages_(messages) {}

void ConsoleView::addMissingLine(std::string_view line, const TextEncoding&) {
  missing_ += line;
  missing_ += '\n';
}

void ConsoleView::addRemovedLine(std::string_view line, const TextEncoding&) {
  removed_ += line;
  removed_ += '\n';
}

void ConsoleView::setFileInformation(std::string_view text, const TextEncoding&) {
  std::string shown(text);
  std::replace(shown.begin(), shown.end(), '\r', '\n');
  fileInformation_ = std::move(shown);
}

void ConsoleView::setCount(ReportCount which, int64_t value) { counts_[static_cast<size_t>(which)] = value; }

void ConsoleView::showMessage(std::string_view text) {
  messages_ << text << '\n';
  messages_.flush();
}

void ConsoleView::writeReport(std::ostream& out) const {
  auto countText = [this](ReportCount which) {
    const auto& count = counts_[static_cast<size_t>(which)];
    return count ? std::to_string(*count) : std::string(text::kNotYetSet);
  };
  out << text::kMissingTitle << '\n' << missing_;
  out << text::kRemovedTitle << '\n' << removed_;
  out << text::kFileInformationTitle << '\n' << fileInformation_.value_or(std::string(text::kNotYetSet)) << '\n';
  out << text::kFormsToAdd << ' ' << countText(ReportCount::FormsToAdd) << '\n';
  out << text::kStringsToAdd << ' ' << countText(ReportCount::StringsToAdd) << '\n';
  out << text::kFormsToRemove << ' ' << countText(ReportCount::FormsToRemove) << '\n';
  out << text::kStringsToRemove << ' ' << countText(ReportCount::StringsToRemove) << '\n';
  out.flush();
}

}  // namespace ulmar
