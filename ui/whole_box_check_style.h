#pragma once
// A check box that answers clicks, and tells screen readers its place, over
// its whole box rather than only over its mark and its text.

#include <QProxyStyle>
#include <QStyleOption>

class WholeBoxCheckStyle : public QProxyStyle {
public:
  QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override {
    if (element == SE_CheckBoxClickRect) return option->rect;
    return QProxyStyle::subElementRect(element, option, widget);
  }
};
