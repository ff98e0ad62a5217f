#pragma once
// An etched line along the top edge of its box, to set the file information
// apart from the lists above it.

#include <QFrame>

class EtchedRule : public QFrame {
public:
  explicit EtchedRule(QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
};
