// A picture of the window: shows the persistent image of its canvas and,
// after a handler, repaints only the part the handler drew on.
#pragma once

#include <QWidget>

#include "gui/image_canvas.h"

namespace lumet {

class PictureOverlay;

class PictureWidget : public QWidget {
  Q_OBJECT

 public:
  // A picture of the given size in logical pixels, its image kept at the
  // given device pixel ratio so that it stays sharp on a high-DPI screen.
  PictureWidget(int widthPx, int heightPx, qreal devicePixelRatio, QWidget* parent = nullptr);

  ImageCanvas& canvas() { return canvas_; }
  const ImageCanvas& canvas() const { return canvas_; }

  // A new size in logical pixels: the picture is drawn again from what it
  // keeps, sharp at the new size, dots `dot` logical pixels wide.
  void resizePicture(int widthPx, int heightPx, qreal devicePixelRatio, qreal dot);

  // Schedules a repaint of what was drawn since the last call; nothing when
  // nothing was drawn.
  void flush();
  // Whether what was drawn is still to be painted on the screen.
  bool pending() const { return !unpainted_.isEmpty(); }

  QSize sizeHint() const override;

  // What is painted over the image, never into it (none: nothing).
  void setOverlay(const PictureOverlay* overlay) { overlay_ = overlay; }
  const PictureOverlay* overlay() const { return overlay_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ImageCanvas canvas_;
  QRegion unpainted_;  // flushed, not painted yet
  const PictureOverlay* overlay_ = nullptr;
};

}  // namespace lumet
