#include "ui/qt/design_fit.h"

#include <QWidget>
#include <algorithm>

// How much the design must grow so that the default font fits in it.
double fitFactor(const std::vector<std::pair<QWidget*, const ControlDesign*>>& placed, double pxPerTwip) {
  double factor = 1.0;
  for (const auto& [widget, d] : placed) {
    const QSize hint = widget->sizeHint();
    const double w = d->width * pxPerTwip, h = d->height * pxPerTwip;
    if (d->kind == ControlKind::Label) {
      if (d->wordWrap) continue;
      factor = std::max(factor, hint.width() / w);
    } else if (d->kind == ControlKind::CheckBox || d->kind == ControlKind::CommandButton) {
      factor = std::max(factor, hint.width() / w);
    }
    if (d->kind != ControlKind::Slider && d->kind != ControlKind::CommandButton && d->kind != ControlKind::Image)
      factor = std::max(factor, widget->fontMetrics().height() / h);
  }
  return std::min(factor, 2.0);
}
