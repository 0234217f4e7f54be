#include "gui/status_line.h"

#include <QPainter>
#include <QStatusTipEvent>
#include <QTextLayout>

namespace lumet {

StatusLine::StatusLine(QWidget* window) : QWidget(window) {
  setObjectName("statusLine");
  window->installEventFilter(this);
}

void StatusLine::setIdleText(const QString& text) {
  const bool resting = text_ == this->resting();
  idle_ = text;
  if (resting) show(this->resting());
}

void StatusLine::setNotice(const QString& text) {
  const bool resting = text_ == this->resting();
  notice_ = text;
  if (resting) show(this->resting());
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::StatusTip) return QWidget::eventFilter(watched, event);
  const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
  show(tip.isEmpty() ? resting() : tip);
  return true;
}

void StatusLine::show(const QString& text) {
  if (text == text_) return;
  text_ = text;
  // Read whole in the tooltip where the line elides it.
  setToolTip(text);
  update();
}

void StatusLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics metrics(font());
  const int spacing = metrics.lineSpacing();
  const int rows = std::max(1, height() / spacing);
  QTextLayout layout(text_, font());
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width());
    line.setPosition(QPointF(0, line.lineNumber() * spacing));
  }
  layout.endLayout();
  for (int row = 0; row < std::min(rows, layout.lineCount()); ++row) {
    const QTextLine line = layout.lineAt(row);
    if (row + 1 == rows && row + 1 < layout.lineCount()) {
      // The last line that fits, with what does not fit elided.
      const QString rest = text_.mid(line.textStart()).simplified();
      painter.drawText(QPointF(0, row * spacing + metrics.ascent()),
                       metrics.elidedText(rest, Qt::ElideRight, width()));
      break;
    }
    line.draw(&painter, QPointF(0, 0));
  }
}

}  // namespace lumet
