#pragma once
// The tool's message box: modal, centred on the screen, the message, one OK
// button, no icon, and the application's title as its caption.

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, const QString& text);

// The application's title: the executable's file name without its folder and
// from its first dot on, its first character as it is and the rest in lower
// case ("ULMAR.EXE" gives "Ulmar").
QString applicationTitle(const QString& executablePath);
