#include "gui/handles.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStatusTipEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/views.h"
#include "gui/main_window.h"
#include "gui/picture_overlay.h"
#include "gui/picture_widget.h"
#include "gui/undo.h"
#include "model/numbers.h"

namespace lumet {

namespace {

// The right picture is 10 cm each way about the origin; the lower one 14 cm
// of time by 4 cm either side of the axis.
constexpr double kPlaneHalf = 5, kPlotWidth = 14, kPlotHalf = 4;
// A notch of the wheel changes a scale by this factor.
constexpr double kNotch = 1.25;
// How near (pixels) the pointer must come to a handle to take it.
constexpr double kGrip = 7;

QString numeral(double v) { return QString::fromStdString(formatBox(v, 4)); }

// A value rounded to the power of ten not above `step`: a dragged point
// takes a short number, exact to within a pixel.
double roundTo(double v, double step) {
  if (!(step > 0) || !std::isfinite(step)) return v;
  const double unit = std::pow(10.0, std::floor(std::log10(step)));
  return std::round(v / unit) * unit;
}

}  // namespace

PictureLayer::PictureLayer(MainWindow& window, ControlId picture)
    : QWidget(window.control(picture)), window_(window), picture_(picture) {
  setObjectName(QString(controlTable()[picture].name) + "Layer");
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
  // The right picture takes the focus, so that its handles move by keys.
  if (plane()) setFocusPolicy(Qt::StrongFocus);
  setGeometry(parentWidget()->rect());
  parentWidget()->installEventFilter(this);
  chooseArrowScale();
  follow();
  show();
}

bool PictureLayer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize)
    setGeometry(parentWidget()->rect());
  return QWidget::eventFilter(watched, event);
}

std::optional<double> PictureLayer::number(P p) const {
  return window_.laboratory().parameters().number(p);
}

double PictureLayer::kMx() const { return ParameterScales(window_.laboratory().experiment()).kMx; }

QPointF PictureLayer::toPixel(double ux, double uy) const {
  const double w = width() - 1, h = height() - 1;
  if (plane())
    return {(ux + kPlaneHalf) / (2 * kPlaneHalf) * w, (kPlaneHalf - uy) / (2 * kPlaneHalf) * h};
  return {ux / kPlotWidth * w, (kPlotHalf - uy) / (2 * kPlotHalf) * h};
}

QPointF PictureLayer::toUser(QPointF pixel) const {
  const double w = std::max(1, width() - 1), h = std::max(1, height() - 1);
  if (plane())
    return {pixel.x() / w * 2 * kPlaneHalf - kPlaneHalf,
            kPlaneHalf - pixel.y() / h * 2 * kPlaneHalf};
  return {pixel.x() / w * kPlotWidth, kPlotHalf - pixel.y() / h * 2 * kPlotHalf};
}

QPointF PictureLayer::modelAt(QPointF pixel) const {
  const QPointF u = toUser(pixel);
  const Scales s = ParameterScales(window_.laboratory().experiment());
  if (plane()) return {u.x() / s.kMx, u.y() / s.kMx};
  return {u.x() * s.Mt, u.y() / s.kM};
}

QString PictureLayer::pointing(QPointF pixel) const {
  const QPointF m = modelAt(pixel);
  if (plane()) return tr("X = %1 m, Y = %2 m").arg(numeral(m.x()), numeral(m.y()));
  // The unit of what the lower picture plots, when it plots one kind of
  // value; "u" (units of M) otherwise.
  const Laboratory& lab = window_.laboratory();
  const std::vector<PlotGroup> groups =
      plottedGroups(lab.experiment().m, ReadChoices(lab.parameters()));
  const bool oneUnit =
      !groups.empty() && std::all_of(groups.begin(), groups.end(), [&](const PlotGroup& g) {
        return g.unit == groups.front().unit;
      });
  const QString unit = oneUnit ? plotUnitText(groups.front().unit) : tr("u");
  return tr("T = %1 s, value = %2 %3").arg(numeral(m.x()), numeral(m.y()), unit);
}

// The handles belong to the bodies' experiment: hidden during a run, and
// while the plane picture shows the light experiment's layers.
bool PictureLayer::handlesShown() const {
  const Laboratory& lab = window_.laboratory();
  return plane() && !lab.running() && lab.experiment().layers.empty();
}

std::optional<QPointF> PictureLayer::handleAt(Handle h) const {
  if (!handlesShown() || h == Handle::None) return std::nullopt;
  const double k = kMx();
  const P px = h == Handle::End ? P::Xk : P::Xn, py = h == Handle::End ? P::Yk : P::Yn;
  const auto x = number(px), y = number(py);
  if (!x || !y || !(k > 0) || !std::isfinite(k)) return std::nullopt;
  double ux = *x * k, uy = *y * k;
  if (h == Handle::Speed) {
    const auto vx = number(P::VXn), vy = number(P::VYn);
    if (!vx || !vy) return std::nullopt;
    ux += *vx / arrowScale_, uy += *vy / arrowScale_;
  }
  const QPointF at = toPixel(ux, uy);
  // Far outside the picture a handle is not shown.
  if (!(std::fabs(at.x()) < 1e6 && std::fabs(at.y()) < 1e6)) return std::nullopt;
  return at;
}

void PictureLayer::chooseArrowScale() {
  // The arrow about 1.5 cm long; with no speed yet, one centimetre a
  // second's travel at the picture's scale.
  const auto vx = number(P::VXn), vy = number(P::VYn);
  const double v = vx && vy ? std::hypot(*vx, *vy) : 0;
  const double k = kMx();
  double s = v > 0 && std::isfinite(v) ? v / 1.5 : (k > 0 ? 1 / k : 1);
  if (!(s > 0) || !std::isfinite(s)) s = 1;
  arrowScale_ = RoundUp125(s);
}

void PictureLayer::follow() {
  // A picture drawn again at a typed scale is shown at once.
  window_.picture(picture_)->flush();
  const Parameters& p = window_.laboratory().parameters();
  QString state = QString::number(int(handlesShown())) + ' ' + QString::number(kMx(), 'g', 17);
  for (P id : {P::Xn, P::Yn, P::Xk, P::Yk, P::VXn, P::VYn})
    state += ' ' + QString::fromStdString(p.text(id));
  if (state == shownState_) return;
  shownState_ = state;
  if (dragging_ != Handle::Speed) chooseArrowScale();
  if (plane())
    setToolTip(handlesShown()
                   ? tr("Drag the start point (circle), the end point (square) or the start "
                        "speed's arrow (Shift: from the start point); 1 cm of the arrow stands "
                        "for %1 m/s. The wheel changes Mx. With the picture in focus, 1, 2 and "
                        "3 choose the start, the end or the arrow, and the arrow keys move it "
                        "(Shift: ten times as far).")
                         .arg(numeral(arrowScale_))
                   : QString());
  else
    setToolTip(tr("The wheel changes Mt; with Shift, M."));
  update();
}

void PictureLayer::paintEvent(QPaintEvent*) {
  if (!handlesShown()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPen outline(QColor(20, 20, 20), 1.5);
  const auto start = handleAt(Handle::Start), end = handleAt(Handle::End);
  const auto tip = handleAt(Handle::Speed);
  if (start && tip && QLineF(*start, *tip).length() > 1) {
    // The arrow of the start speed, its head at the tip.
    painter.setPen(QPen(QColor(160, 0, 160), 1.5));
    painter.drawLine(*start, *tip);
    const QLineF back(*tip, *start);
    QLineF side1 = back, side2 = back;
    side1.setLength(8), side2.setLength(8);
    side1.setAngle(back.angle() + 25), side2.setAngle(back.angle() - 25);
    painter.drawLine(side1), painter.drawLine(side2);
    painter.setPen(outline);
    painter.setBrush(QColor(230, 170, 230));
    painter.drawEllipse(*tip, 3.5, 3.5);
  }
  painter.setPen(outline);
  // With the focus, the handle the keys move is ringed.
  if (hasFocus())
    if (const auto chosen = handleAt(selected_)) {
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(QColor(0, 90, 200), 1.5, Qt::DotLine));
      painter.drawEllipse(*chosen, 9, 9);
      painter.setPen(outline);
    }
  if (end) {
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(QRectF(*end - QPointF(4.5, 4.5), QSizeF(9, 9)));
  }
  if (start) {
    painter.setBrush(QColor(255, 255, 120));
    painter.drawEllipse(*start, 5, 5);
  }
}

void PictureLayer::tip(const QString& text) {
  QStatusTipEvent tip(text);
  QCoreApplication::sendEvent(&window_, &tip);
}

void PictureLayer::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !handlesShown()) return QWidget::mousePressEvent(event);
  const QPointF at = event->position();
  auto near = [&](Handle h) {
    const auto p = handleAt(h);
    return p && QLineF(*p, at).length() <= kGrip;
  };
  const auto start = handleAt(Handle::Start), speed = handleAt(Handle::Speed);
  const bool speedApart = start && speed && QLineF(*start, *speed).length() > kGrip;
  if (near(Handle::Start) && (event->modifiers() & Qt::ShiftModifier))
    dragging_ = Handle::Speed;
  else if (speedApart && near(Handle::Speed))
    dragging_ = Handle::Speed;
  else if (near(Handle::End))
    dragging_ = Handle::End;
  else if (near(Handle::Start))
    dragging_ = Handle::Start;
  if (dragging_ == Handle::None) return QWidget::mousePressEvent(event);
  window_.undo().record();
  window_.undo().hold(true);
  window_.laboratory().beginDrag();
  setCursor(Qt::ClosedHandCursor);
}

void PictureLayer::dragTo(QPointF pixel) {
  const QPointF u = toUser(pixel);
  const double k = kMx();
  // A pixel of the picture in the units of what is dragged.
  const double pixelUser = 2 * kPlaneHalf / std::max(1, width() - 1);
  std::vector<std::pair<P, std::string>> texts;
  if (dragging_ == Handle::Speed) {
    const auto x = number(P::Xn), y = number(P::Yn);
    if (!x || !y) return;
    const double step = pixelUser * arrowScale_;
    texts = {{P::VXn, formatBox(roundTo((u.x() - *x * k) * arrowScale_, step))},
             {P::VYn, formatBox(roundTo((u.y() - *y * k) * arrowScale_, step))}};
  } else {
    const bool end = dragging_ == Handle::End;
    const double step = pixelUser / k;
    texts = {{end ? P::Xk : P::Xn, formatBox(roundTo(u.x() / k, step))},
             {end ? P::Yk : P::Yn, formatBox(roundTo(u.y() / k, step))}};
  }
  const Report r = window_.laboratory().drag(texts);
  if (!r.handled) return;
  window_.form().take(r);
  window_.showReport(r);
  // A refused point: the status line tells why, the handle stays.
  tip(r.problems.empty() ? pointing(pixel) : QString());
  follow();
}

void PictureLayer::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (dragging_ != Handle::None) return dragTo(at);
  tip(pointing(at));
  if (!handlesShown()) return unsetCursor();
  bool over = false;
  for (Handle h : {Handle::Start, Handle::End, Handle::Speed})
    if (const auto p = handleAt(h); p && QLineF(*p, at).length() <= kGrip) over = true;
  if (over)
    setCursor(Qt::OpenHandCursor);
  else
    unsetCursor();
}

void PictureLayer::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_ == Handle::None || event->button() != Qt::LeftButton)
    return QWidget::mouseReleaseEvent(event);
  dragging_ = Handle::None;
  unsetCursor();
  window_.laboratory().endDrag();
  window_.undo().hold(false);
  window_.undo().record();
  shownState_.clear();
  follow();
}

void PictureLayer::keyPressEvent(QKeyEvent* event) {
  if (!handlesShown()) return QWidget::keyPressEvent(event);
  const Handle choice = event->key() == Qt::Key_1   ? Handle::Start
                        : event->key() == Qt::Key_2 ? Handle::End
                        : event->key() == Qt::Key_3 ? Handle::Speed
                                                    : Handle::None;
  if (choice != Handle::None) {
    selected_ = choice;
    update();
    return;
  }
  QPointF by;
  switch (event->key()) {
    case Qt::Key_Left: by = {-1, 0}; break;
    case Qt::Key_Right: by = {1, 0}; break;
    case Qt::Key_Up: by = {0, -1}; break;
    case Qt::Key_Down: by = {0, 1}; break;
    default: return QWidget::keyPressEvent(event);
  }
  const auto at = handleAt(selected_);
  if (!at) return;
  // One press is a drag of one pixel (ten with Shift), one step of the
  // history.
  if (event->modifiers() & Qt::ShiftModifier) by *= 10;
  window_.undo().record();
  window_.undo().hold(true);
  window_.laboratory().beginDrag();
  dragging_ = selected_;
  dragTo(*at + by);
  dragging_ = Handle::None;
  window_.laboratory().endDrag();
  window_.undo().hold(false);
  window_.undo().record();
  shownState_.clear();
  follow();
}

void PictureLayer::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void PictureLayer::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

void PictureLayer::leaveEvent(QEvent* event) {
  tip(QString());
  QWidget::leaveEvent(event);
}

void PictureLayer::wheelEvent(QWheelEvent* event) {
  const QPoint d = event->angleDelta();
  // With Shift held some systems turn the wheel sideways.
  const int delta = d.y() != 0 ? d.y() : d.x();
  const int notches = delta / 120;
  if (notches == 0) return event->ignore();
  zoom(-notches, event->modifiers() & Qt::ShiftModifier);
  tip(pointing(event->position()));
  event->accept();
}

void PictureLayer::zoom(int notches, bool values) {
  const P p = plane() ? P::Mx : values ? P::M : P::Mt;
  const auto v = number(p);
  if (!v || !runUsable(p, *v)) return;
  const double scaled = *v * std::pow(kNotch, notches);
  if (!std::isfinite(scaled) || !runUsable(p, scaled)) return;
  window_.undo().record();
  window_.form().type(controlOf(p), formatBox(scaled));
  Report r;
  r.params.push_back(p);
  r.running = window_.laboratory().running();
  window_.form().take(r);
  window_.showReport(r);
  window_.undo().record();
  follow();
}

}  // namespace lumet
