// The pictures as controls: a layer over each picture that tells the model
// coordinates under the pointer in the status line, changes the picture's
// scale with the wheel, and, over the right picture while no run goes on,
// shows the start point, the end point and the start speed's arrow as
// handles that the pointer drags, or the arrow keys once the picture has the
// focus. A drag or a wheel sets the parameters exactly as typing them does.
#pragma once

#include <QWidget>
#include <optional>

#include "form/controls.h"
#include "model/parameters.h"

namespace lumet {

class MainWindow;

class PictureLayer : public QWidget {
  Q_OBJECT

 public:
  // Over `picture` (Picture1 or Picture2) of the window.
  PictureLayer(MainWindow& window, ControlId picture);

  enum class Handle { None, Start, End, Speed };
  // Where a handle stands on the layer, in its pixels; nothing while a run
  // goes on or when its parameters are not numbers.
  std::optional<QPointF> handleAt(Handle h) const;
  // The model point (metres; on the lower picture seconds and the value in
  // its units) under a place of the layer.
  QPointF modelAt(QPointF pixel) const;
  // The status line's text for the pointer at a place.
  QString pointing(QPointF pixel) const;
  // Metres per second the arrow's centimetre stands for.
  double arrowScale() const { return arrowScale_; }

  // Changes the scale as a wheel notch does: out (> 0 notches: Mx, Mt or M
  // times 1.25 a notch) or in; `values` on the lower picture changes M.
  void zoom(int notches, bool values = false);
  // Shows the handles as the parameters and the run stand now.
  void follow();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool plane() const { return picture_ == Picture1; }
  bool handlesShown() const;
  std::optional<double> number(P p) const;
  // Picture centimetres (the picture's user units) and the layer's pixels.
  QPointF toPixel(double ux, double uy) const;
  QPointF toUser(QPointF pixel) const;
  double kMx() const;
  void tip(const QString& text);
  void dragTo(QPointF pixel);
  void chooseArrowScale();

  MainWindow& window_;
  ControlId picture_;
  Handle dragging_ = Handle::None;
  // The handle the arrow keys move while the right picture has the focus
  // (1, 2, 3 choose the start, the end, the arrow).
  Handle selected_ = Handle::End;
  double arrowScale_ = 1;  // m/s per centimetre of the arrow
  QString shownState_;     // what the handles were last drawn from
};

}  // namespace lumet
