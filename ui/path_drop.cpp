#include "path_drop.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace {

// The full path of the one local file that `data` carries.
std::optional<QString> droppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
  const QUrl url = data->urls().first();
  if (!url.isLocalFile()) return std::nullopt;
  const QFileInfo file(url.toLocalFile());
  if (!file.isFile()) return std::nullopt;
  return file.absoluteFilePath();
}

}  // namespace

PathDrop::PathDrop(QLineEdit* field, QFileDialog* dialog) : QObject(field), field_(field), dialog_(dialog) {
  field->setAcceptDrops(true);
  field->installEventFilter(this);
}

bool PathDrop::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (droppedFile(drag->mimeData())) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;  // the field's own text dropping never runs
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (const std::optional<QString> path = droppedFile(drop->mimeData())) {
        field_->setText(*path);
        dialog_->selectFile(*path);
        drop->acceptProposedAction();
      } else {
        drop->ignore();
      }
      return true;
    }
    default: return false;
  }
}
