#include "etched_rule.h"

#include <QPainter>

EtchedRule::EtchedRule(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::HLine);
  setFrameShadow(QFrame::Sunken);
}

void EtchedRule::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, 0, width() - 1, 0);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, 1, width() - 1, 1);
}
