#include <QApplication>

#include "Unit1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Ties the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.ulmar.Ulmar"));
  TXPManifest::useVisualStyle();
  TForm1 form;
  Form1 = &form;
  form.show();
  return application.exec();
}
