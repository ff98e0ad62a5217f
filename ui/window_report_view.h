#pragma once
// The report view of the main window: the run reads the path fields and the
// offsets box, and writes into the lists and labels.

#include <QStringList>

#include "report_view.h"

class QPlainTextEdit;
class TForm1;

class WindowReportView : public ulmar::ReportView {
public:
  explicit WindowReportView(TForm1& form) : form_(form) {}
  ~WindowReportView() override;

  std::string referencePath() override;
  std::string translationPath() override;
  bool offsetsWanted() override;
  void clearMissingList() override;
  void clearRemovedList() override;
  void addMissingLine(std::string_view line, const ulmar::TextEncoding& encoding) override;
  void addRemovedLine(std::string_view line, const ulmar::TextEncoding& encoding) override;
  void setFileInformation(std::string_view text, const ulmar::TextEncoding& encoding) override;
  void setCount(ulmar::ReportCount which, int64_t value) override;
  void showMessage(std::string_view text) override;

private:
  // Lines are gathered and handed to the lists in one go: a hundred thousand
  // appends one by one would take the widget seconds.
  void flushLines();

  TForm1& form_;
  QStringList missingLines_;
  QStringList removedLines_;
};
