#include "modal_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "message_box.h"

ModalDialogs ModalDialogs::interactive() {
  ModalDialogs dialogs;
  dialogs.chooseFile = [](QFileDialog& dialog) -> std::optional<QString> {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
  };
  dialogs.showMessage = [](QWidget* owner, const QString& text) { makeMessageBox(owner, text)->exec(); };
  return dialogs;
}
