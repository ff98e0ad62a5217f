#pragma once
// The tool's one window: the two language files, the "create report" button,
// the two lists and the counts.

#include <QString>
#include <QWidget>

#include "modal_dialogs.h"

class QCheckBox;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStyle;

// The window's visual style, the part the application manifest plays on
// Windows: every control in Fusion, whatever the desktop's own style.
struct TXPManifest {
  static constexpr char kStyle[] = "Fusion";
  // Sets the application's style; main() calls it before making the window.
  static void useVisualStyle();
};

class TForm1 : public QWidget {
  Q_OBJECT

public:
  explicit TForm1(ModalDialogs dialogs = ModalDialogs::interactive(), QWidget* parent = nullptr);

  TXPManifest XPManifest1;
  QLineEdit* orig;
  QLineEdit* trans;
  QFileDialog* langopen;
  QPushButton* openorig;
  QPushButton* opentrans;
  QPushButton* rep;
  QPlainTextEdit* replist;
  QLabel* Label1;
  QLabel* Label2;
  QPlainTextEdit* replist1;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* cp1;
  QLabel* cp2;
  QLabel* cm1;
  QLabel* cm2;
  QLabel* Label7;
  QLabel* cinf;
  QLabel* Label8;
  QFrame* Bevel1;
  QCheckBox* offs;

  // The window's modal dialogs; tests answer them in place of a user.
  ModalDialogs dialogs;

  // Gives a label the size of its text, at least `minimumWidth` wide, keeping
  // its place (Label8 keeps its right edge instead).
  void fitLabel(QLabel* label, int minimumWidth = 0);

public slots:
  void openorigClick();
  void opentransClick();
  void repClick();

private:
  void chooseInto(QLineEdit* field);
};

extern TForm1* Form1;

// The window's caption.
QString formCaption();
