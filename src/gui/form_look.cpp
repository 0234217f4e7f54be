#include "gui/form_look.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "model/numbers.h"

namespace lumet {

namespace {

// The margin a line edit keeps between its contents rectangle and its text,
// on either side (fixed inside the toolkit).
constexpr int kLineEditMargin = 2;

// The form's point size at zoom 1.
constexpr qreal kFormPoints = 7;

bool narrowFaceLeftOut = false;
// The size of the face in use relative to the narrow face's (standInScale).
qreal faceScale = 1;

// Liberation Sans Narrow's mean advance, in em, of its figures and of the
// Russian and Latin letters: the widths the twip layout was made to hold.
constexpr qreal kNarrowFigureEm = 0.456;
constexpr qreal kNarrowLetterEm = 0.508;

// The size of a face that stands in for the narrow one, relative to the
// form's: made smaller until its figures and letters are no wider than the
// narrow face's, so that every box and caption of the layout still holds
// its text. 1 for the narrow face itself.
qreal standInScale(const QFont& f) {
  if (QFontInfo(f).family() == QStringLiteral("Liberation Sans Narrow")) return 1;
  QFont probe = f;
  probe.setPixelSize(1000);
  const QFontMetricsF fm(probe);
  // The Russian alphabet (U+0410..U+044F, Ё and ё) and the Latin one.
  QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  for (char16_t c = 0x410; c <= 0x44F; ++c) letters += QChar(c);
  letters += QChar(0x401);
  letters += QChar(0x451);
  const qreal figures = fm.horizontalAdvance(QStringLiteral("0123456789")) / 10;
  const qreal letter = fm.horizontalAdvance(letters) / letters.size();
  return std::min({1.0, kNarrowFigureEm * 1000 / figures, kNarrowLetterEm * 1000 / letter});
}

}  // namespace

QFont formFont(qreal zoom) {
  QFont f;
  // Liberation Sans Narrow has the narrowest figures of the free faces (the
  // package depends on it); DejaVu Sans Condensed stands in where it is not
  // installed, a little smaller.
  QStringList families = {QStringLiteral("Liberation Sans Narrow"),
                          QStringLiteral("DejaVu Sans Condensed")};
  if (narrowFaceLeftOut) families.removeFirst();
  f.setFamilies(families);
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(kFormPoints);
  faceScale = standInScale(f);
  // The zoom last, so that the size at a zoom is the size at 1 times it.
  f.setPointSizeF(kFormPoints * faceScale * zoom);
  return f;
}

void leaveOutNarrowFace(bool leaveOut) { narrowFaceLeftOut = leaveOut; }

FormStyle::FormStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
  switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight: return indicator_;
    // The gap between an indicator and its caption shrinks with a face
    // that stands in for the narrow one, as the face does: its captions,
    // such as "+", may still be a little wider.
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
      return qRound(QProxyStyle::pixelMetric(metric, option, widget) * faceScale);
    default: return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

void drawEdge(QPainter& p, const QRect& r, const QColor& colour) {
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
  keepMargins();
}

int FrameBox::titleHeight() const { return title().isEmpty() ? 0 : QFontMetrics(font()).height(); }

void FrameBox::keepMargins() {
  // The toolkit recomputes the margins for its own title; these are ours.
  const int top = std::max(titleHeight(), 2);
  if (contentsMargins() != QMargins(2, top, 2, 2)) setContentsMargins(2, top, 2, 2);
}

void FrameBox::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  keepMargins();
}

void FrameBox::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  keepMargins();
}

void FrameBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int h = titleHeight();
  // An etched border from the middle of the title down.
  const QRect border = rect().adjusted(0, h / 2, -1, -1);
  drawEdge(p, border, palette().color(QPalette::Mid));
  drawEdge(p, border.translated(1, 1), palette().color(QPalette::Light));
  if (h == 0) return;
  const QFontMetrics fm(font());
  const QRect title(fm.averageCharWidth(), 0, fm.horizontalAdvance(this->title()) + 4, h);
  p.fillRect(title, palette().window());
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(title, Qt::AlignCenter, this->title());
}

int boxTextRoom(const QLineEdit* box) {
  QStyleOptionFrame option;
  option.initFrom(box);
  option.rect = box->rect();
  option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
  const QMargins m = box->textMargins();
  return contents.width() - m.left() - m.right() - 2 * kLineEditMargin - 1;
}

BoxRoom boxRoom(const QLineEdit* box) {
  const QFontMetricsF fm(box->font());
  BoxRoom r{boxTextRoom(box), 0};
  for (QChar ch : QStringLiteral("0123456789-+.e"))
    r.widestChar = std::max(r.widestChar, fm.horizontalAdvance(ch));
  return r;
}

bool fitsBox(const QLineEdit* box, const QString& text) {
  return QFontMetricsF(box->font()).horizontalAdvance(text) <= boxTextRoom(box);
}

namespace {

// A number rounded to some significant digits: its sign, the digits kept
// without trailing zeros ("13529") and the power of ten of the first (11).
struct Rounded {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Rounded roundTo(double v, int digits) {
  char buf[64];
  const char* end =
      std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, digits - 1)
          .ptr;
  Rounded r{v < 0, "", 0};
  const char* e = std::find(static_cast<const char*>(buf), end, 'e');
  for (const char* c = buf; c != e; ++c)
    if (*c != '.') r.digits += *c;
  while (r.digits.size() > 1 && r.digits.back() == '0') r.digits.pop_back();
  std::from_chars(e + 1 + (e[1] == '+'), end, r.exponent);
  return r;
}

// The plain form ("123457", "-0.000123", "6.39") of a number rounded to
// `digits` digits, or "" when that form would show more digits than were
// kept: the zeros of a large integer before the point count as kept digits.
std::string plainForm(const Rounded& r, int digits) {
  const int n = int(r.digits.size());
  if (r.exponent >= digits || r.exponent < -20) return "";
  std::string out = r.negative ? "-" : "";
  if (r.exponent < 0) return out + "0." + std::string(size_t(-r.exponent - 1), '0') + r.digits;
  if (n <= r.exponent + 1) return out + r.digits + std::string(size_t(r.exponent + 1 - n), '0');
  return out + r.digits.substr(0, size_t(r.exponent + 1)) + "." +
         r.digits.substr(size_t(r.exponent + 1));
}

// The shortest exponent form: "1.3529e11", "-1.23e-21", "5e-7".
std::string exponentForm(const Rounded& r) {
  std::string out = r.negative ? "-" : "";
  out += r.digits[0];
  if (r.digits.size() > 1) out += "." + r.digits.substr(1);
  return out + "e" + std::to_string(r.exponent);
}

}  // namespace

QString boxShows(const QLineEdit* box, const QString& text) {
  if (fitsBox(box, text)) return text;
  const auto v = parseNumber(text.toStdString());
  if (!v) return text;
  // The most digits that fit, in the plain form or else the exponent form.
  for (int digits = kBoxDigits; digits >= 1; --digits) {
    const Rounded r = roundTo(*v, digits);
    for (const std::string& form : {plainForm(r, digits), exponentForm(r)}) {
      const QString shown = QString::fromStdString(form);
      if (!form.empty() && fitsBox(box, shown)) return shown;
    }
  }
  // Not even one digit and its exponent: a sign that the box overflows.
  QString hashes = "#";
  while (fitsBox(box, hashes + '#')) hashes += '#';
  return hashes;
}

}  // namespace lumet
