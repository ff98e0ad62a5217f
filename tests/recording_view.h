#pragma once
// A report view that turns every call into one line of a transcript.

#include <string>

#include "ascii.h"
#include "report_view.h"

namespace ulmar::testing {

class RecordingView : public ReportView {
public:
  RecordingView(std::string reference, std::string translation, bool offsets)
      : reference_(std::move(reference)), translation_(std::move(translation)), offsets_(offsets) {}

  std::string transcript;
  // When set, the offsets choice flips after every time it is read.
  bool flipOffsets = false;

  std::string referencePath() override { return reference_; }
  std::string translationPath() override { return translation_; }
  bool offsetsWanted() override {
    const bool wanted = offsets_;
    if (flipOffsets) offsets_ = !offsets_;
    return wanted;
  }
  void clearMissingList() override { transcript += "clear missing\n"; }
  void clearRemovedList() override { transcript += "clear removed\n"; }
  void addMissingLine(std::string_view line, const TextEncoding& encoding) override {
    transcript += "missing: " + std::string(line) + decodedAs(line, encoding) + "\n";
  }
  void addRemovedLine(std::string_view line, const TextEncoding& encoding) override {
    transcript += "removed: " + std::string(line) + decodedAs(line, encoding) + "\n";
  }
  void setFileInformation(std::string_view text, const TextEncoding& encoding) override {
    std::string shown;
    for (const char c : text) shown += c == '\r' ? std::string("<CR>") : std::string(1, c);
    transcript += "info: " + shown + decodedAs(text, encoding) + "\n";
  }
  void setCount(ReportCount which, int64_t value) override {
    static const char* const kNames[] = {"forms to add", "strings to add", "forms to remove", "strings to remove"};
    transcript += std::string("count ") + kNames[static_cast<int>(which)] + ": " + std::to_string(value) + "\n";
  }
  void showMessage(std::string_view text) override { transcript += "message: " + std::string(text) + "\n"; }

private:
  // How a line beyond ASCII is to be shown, as " <encoding>": plain ASCII
  // shows alike in every encoding the reader knows.
  static std::string decodedAs(std::string_view line, const TextEncoding& encoding) {
    return isAscii(line) ? std::string() : " <" + encoding.name() + ">";
  }

  std::string reference_;
  std::string translation_;
  bool offsets_;
};

}  // namespace ulmar::testing
