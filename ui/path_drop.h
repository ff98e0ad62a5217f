#pragma once
// Lets a file dropped from a file manager onto a path field name that file,
// as choosing it in the file dialog would. Anything else dropped there (text,
// several files, a folder, something not on this machine) changes nothing.

#include <QObject>

class QFileDialog;
class QLineEdit;

class PathDrop : public QObject {
public:
  // Watches `field`; a drop also makes `dialog` open on the dropped file next.
  PathDrop(QLineEdit* field, QFileDialog* dialog);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLineEdit* field_;
  QFileDialog* dialog_;
};
