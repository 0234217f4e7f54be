// How the form reads: its face and size, and how a number the laboratory
// writes is shown whole in a box narrower than the number.
#pragma once

#include <QFont>
#include <QGroupBox>
#include <QProxyStyle>
#include <QString>

class QLineEdit;
class QPainter;

namespace lumet {

// The form's face at a zoom of the form (1 at its twip size): a narrow sans
// serif, so that every box of the twip layout holds its whole default
// ("3000000" in the 495-twip "Mx, м/см"); the size follows the logical DPI
// like the twips do.
QFont formFont(qreal zoom = 1);

// Leaves Liberation Sans Narrow out of formFont(), as on a system without
// it (the package depends on it): a test shows that the form still reads in
// the face that stands in.
void leaveOutNarrowFace(bool leaveOut);

// Pixels a line edit has for its text: its contents rectangle less its text
// margins and the margin the line edit keeps on each side, less the one
// pixel it wants beyond the text before it starts to scroll.
int boxTextRoom(const QLineEdit* box);

// What a box holds without measuring each text: its room, and the widest
// character a number is written with in its face.
struct BoxRoom {
  int room = 0;
  qreal widestChar = 1;
  // Whether a text fits even were each of its characters the widest one.
  bool surelyFits(const QString& text) const { return text.size() * widestChar <= room; }
};
BoxRoom boxRoom(const QLineEdit* box);

// Whether a text fits its box whole.
bool fitsBox(const QLineEdit* box, const QString& text);

// A number the laboratory wrote, as the box shows it: the text itself when
// it fits, otherwise the same number rounded to as many significant digits
// as fit, in the plain form or in the exponent form when that keeps more
// ("1.3529e11"), never a different magnitude; when not even one digit and
// its exponent fit, as many '#' as fit (at least one). Text that is not a
// number stays as it is.
QString boxShows(const QLineEdit* box, const QString& text);

// The toolkit's style with indicators of check boxes and option buttons of
// a given side, so that they grow with the form and neighbouring rows of
// the twip layout stand apart.
class FormStyle : public QProxyStyle {
 public:
  FormStyle();
  void setIndicator(int side) { indicator_ = side; }
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;

 private:
  int indicator_ = 12;
};

// A line a logical pixel wide along each side of a rectangle: at a
// fractional device pixel ratio a widget's edge may fall between device
// pixels, where a line one device pixel wide can be lost; a strip a logical
// pixel wide always covers one.
void drawEdge(QPainter& p, const QRect& r, const QColor& colour);

// A frame whose title stands on its border line, as the twip layout was
// drawn for: its controls start half a title below the line, so a row
// 200 twips below the frame's top stands inside it.
class FrameBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit FrameBox(const QString& title, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The height of the title, or 0 without one.
  int titleHeight() const;
  void keepMargins();
};

}  // namespace lumet
