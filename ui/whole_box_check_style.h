#pragma once
// A check box that answers clicks, and tells screen readers its place, over
// its whole box rather than only over its mark and its text.

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

class WholeBoxCheckStyle : public QProxyStyle {
public:
  // Draws as the style named `baseStyle`, given explicitly: a proxy without
  // a base would follow the desktop's style instead of the window's.
  explicit WholeBoxCheckStyle(const QString& baseStyle) : QProxyStyle(QStyleFactory::create(baseStyle)) {}

  QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override {
    if (element == SE_CheckBoxClickRect) return option->rect;
    return QProxyStyle::subElementRect(element, option, widget);
  }
};
