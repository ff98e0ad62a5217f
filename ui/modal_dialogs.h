#pragma once
// The one seam every modal dialog of the window passes through, so tests can
// answer them without a real dialog ever waiting for a user.

#include <QString>

#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

struct ModalDialogs {
  // Runs the open-file dialog; gives the chosen file's full path, or nothing
  // when the user cancels.
  std::function<std::optional<QString>(QFileDialog& dialog)> chooseFile;
  // Shows `text` in a message box over `owner` and returns once it is closed.
  std::function<void(QWidget* owner, const QString& text)> showMessage;

  // The real dialogs.
  static ModalDialogs interactive();
};
