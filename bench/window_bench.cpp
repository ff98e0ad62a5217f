// Times the window: from start to its first paint, and from the click on
// "create report" to the report painted in the lists, then scrolling the
// filled lists.
//
//   ulmar-window-bench                        start to first paint, a 10 MiB key
//   ulmar-window-bench REFERENCE TRANSLATION  also the report and scrolling

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <cstdio>

#include "Unit1.h"

namespace {

// Notes the first time the watched window is painted.
class FirstPaint : public QObject {
public:
  explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
  qint64 at = -1;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && at < 0) at = clock_.elapsed();
    return QObject::eventFilter(watched, event);
  }

private:
  const QElapsedTimer& clock_;
};

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication application(argc, argv);
  ModalDialogs quiet;
  quiet.chooseFile = [](QFileDialog&) { return std::optional<QString>(); };
  quiet.showMessage = [](QWidget*, const QString&) {};
  TForm1 form(quiet);
  FirstPaint firstPaint(clock);
  form.installEventFilter(&firstPaint);
  form.show();
  while (firstPaint.at < 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  std::printf("first paint: %lld ms after start\n", static_cast<long long>(firstPaint.at));

  // A key of 10 MiB, to be listed as one to add: the lists must not take
  // long to lay out one very long line.
  {
    QTemporaryDir dir;
    const QString reference = dir.filePath(QStringLiteral("long-key.lng"));
    const QString translation = dir.filePath(QStringLiteral("short.lng"));
    writeFile(reference, "[FORMS]\n" + QByteArray(10 << 20, 'k') + "=v\n[STRINGS]\nS=1\n");
    writeFile(translation, "[FORMS]\nA=1\n[STRINGS]\nS=1\n");
    form.orig->setText(reference);
    form.trans->setText(translation);
    QElapsedTimer shown;
    shown.start();
    form.rep->click();
    form.replist->repaint();
    QApplication::processEvents();
    std::printf("a 10 MiB key shown: %lld ms after the click\n", static_cast<long long>(shown.elapsed()));
  }
  if (argc < 3) return 0;

  form.orig->setText(QString::fromLocal8Bit(argv[1]));
  form.trans->setText(QString::fromLocal8Bit(argv[2]));
  QElapsedTimer report;
  report.start();
  form.rep->click();
  form.replist->repaint();
  form.replist1->repaint();
  QApplication::processEvents();
  std::printf("report shown: %lld ms after the click (%d + %d lines)\n", static_cast<long long>(report.elapsed()),
              form.replist->document()->blockCount(), form.replist1->document()->blockCount());

  QElapsedTimer scrolling;
  scrolling.start();
  constexpr int kSteps = 50;
  QScrollBar* bar = form.replist->verticalScrollBar();
  for (int step = 1; step <= kSteps; ++step) {
    bar->setValue(bar->maximum() * step / kSteps);
    form.replist->repaint();
  }
  std::printf("scrolling: %.1f ms a step over %d steps across the list\n",
              static_cast<double>(scrolling.elapsed()) / kSteps, kSteps);
  return 0;
}
