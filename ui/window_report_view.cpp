#include "window_report_view.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "Unit1.h"
#include "display_text.h"

namespace {

// Lines longer than this are cut and end in an ellipsis: laying out one line
// of megabytes takes a list seconds, and nobody reads that far along a line.
constexpr qsizetype kLongestListLine = 10000;

QString listLine(std::string_view line, const ulmar::TextEncoding& encoding) {
  QString shown = displayText(line, encoding);
  if (shown.size() > kLongestListLine) {
    shown.truncate(kLongestListLine);
    shown += QChar(0x2026);
  }
  return shown;
}

void appendLines(QPlainTextEdit* list, QStringList& lines) {
  if (lines.isEmpty()) return;
  if (list->document()->isEmpty()) {
    list->setPlainText(lines.join(u'\n'));
  } else {
    list->appendPlainText(lines.join(u'\n'));
  }
  lines.clear();
}

}  // namespace

WindowReportView::~WindowReportView() { flushLines(); }

std::string WindowReportView::referencePath() { return QFile::encodeName(form_.orig->text()).toStdString(); }

std::string WindowReportView::translationPath() { return QFile::encodeName(form_.trans->text()).toStdString(); }

bool WindowReportView::offsetsWanted() { return form_.offs->isChecked(); }

void WindowReportView::clearMissingList() {
  missingLines_.clear();
  form_.replist->clear();
}

void WindowReportView::clearRemovedList() {
  removedLines_.clear();
  form_.replist1->clear();
}

void WindowReportView::addMissingLine(std::string_view line, const ulmar::TextEncoding& encoding) {
  missingLines_.append(listLine(line, encoding));
}

void WindowReportView::addRemovedLine(std::string_view line, const ulmar::TextEncoding& encoding) {
  removedLines_.append(listLine(line, encoding));
}

void WindowReportView::setFileInformation(std::string_view text, const ulmar::TextEncoding& encoding) {
  // The carriage return splits the line in two on screen.
  form_.cinf->setText(displayText(text, encoding).replace(u'\r', u'\n'));
  form_.fitLabel(form_.cinf);
}

void WindowReportView::setCount(ulmar::ReportCount which, int64_t value) {
  QLabel* const labels[] = {form_.cp1, form_.cp2, form_.cm1, form_.cm2};
  QLabel* label = labels[static_cast<int>(which)];
  label->setText(QString::number(value));
  form_.fitLabel(label);
}

void WindowReportView::showMessage(std::string_view text) {
  // Whatever the box shows over the window must already be in the lists.
  flushLines();
  form_.dialogs.showMessage(&form_, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void WindowReportView::flushLines() {
  appendLines(form_.replist, missingLines_);
  appendLines(form_.replist1, removedLines_);
}
