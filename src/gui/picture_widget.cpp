#include "gui/picture_widget.h"

#include <QPaintEvent>
#include <QPainter>

#include "gui/form_look.h"
#include "gui/picture_overlay.h"

namespace lumet {

PictureWidget::PictureWidget(int widthPx, int heightPx, qreal devicePixelRatio, QWidget* parent)
    : QWidget(parent), canvas_(widthPx, heightPx, devicePixelRatio) {
  // The image covers the whole widget: nothing underneath needs painting.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(widthPx, heightPx);
}

void PictureWidget::resizePicture(int widthPx, int heightPx, qreal devicePixelRatio, qreal dot) {
  canvas_.resize(widthPx, heightPx, devicePixelRatio, dot);
  canvas_.takeDirty();
  setFixedSize(widthPx, heightPx);
  update();
}

QSize PictureWidget::sizeHint() const {
  const QImage& image = canvas_.image();
  return (QSizeF(image.size()) / image.devicePixelRatio()).toSize();
}

void PictureWidget::flush() {
  QRect dirty = canvas_.takeDirty();
  if (dirty.isEmpty()) return;
  unpainted_ += dirty;
  update(dirty);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
  unpainted_ -= event->region();
  QPainter painter(this);
  const QImage& image = canvas_.image();
  const qreal ratio = image.devicePixelRatio();
  // Copy only the exposed rectangles, each from the same place of the image
  // (the image holds ratio device pixels per logical pixel).
  for (const QRect& r : event->region()) {
    QRectF source(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio);
    painter.drawImage(QRectF(r), image, source);
  }
  if (overlay_) overlay_->paint(painter, image);
  // A thin sunken edge sets the picture off from the window around it.
  if (!rect().adjusted(1, 1, -1, -1).contains(event->rect())) {
    drawEdge(painter, rect(), palette().color(QPalette::Mid));
  }
}

}  // namespace lumet
