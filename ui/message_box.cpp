#include "message_box.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>


QString applicationTitle(const QString& executablePath) {
  QString name = QFileInfo(executablePath).fileName();
  name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
  if (name.isEmpty()) return name;
  return name.left(1) + name.mid(1).toLower();
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, const QString& text) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon,
                                           applicationTitle(QCoreApplication::applicationFilePath()), text,
                                           QMessageBox::Ok, owner);
  box->setWindowModality(Qt::ApplicationModal);
  box->setTextFormat(Qt::PlainText);
  box->setEscapeButton(QMessageBox::Ok);
  box->button(QMessageBox::Ok)->setIcon(QIcon());  // text only, like every button of the tool
  box->adjustSize();
  // Centred on the screen, not on the window; moving it first keeps Qt from
  // placing it over its owner.
  if (const QScreen* screen = owner != nullptr && owner->screen() != nullptr ? owner->screen()
                                                                             : QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    box->move(area.center() - QPoint(box->width() / 2, box->height() / 2));
  }
  return box;
}
