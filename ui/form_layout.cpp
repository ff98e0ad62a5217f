#include "form_layout.h"

#include <QLabel>
#include <QWidget>

void applyFormLayout(QWidget& form) {
  for (const ControlGeometry& control : kFormLayout) {
    auto* widget = form.findChild<QWidget*>(QString::fromLatin1(control.name), Qt::FindDirectChildrenOnly);
    if (widget == nullptr) continue;
    const int width = control.width == kFitText ? widget->sizeHint().width() : control.width;
    widget->setGeometry(control.left, control.top, width, control.height);
  }
}
