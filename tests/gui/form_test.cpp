// The form as a reader meets it: every value whole in its box, captions
// clear of their neighbours, a form that grows with its window, pictures
// drawn again sharp at the new size and matching their labels. Run at
// 96 DPI and again at 150 % (a device pixel ratio of 1.5, and a logical DPI
// of 144).
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <charconv>
#include <cmath>
#include <memory>
#include <random>

#include "gui/about_window.h"
#include "gui/form_look.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "model/numbers.h"
#include "window_fixture.h"

using namespace lumet;

namespace {

QString q(const char* s) { return QString::fromUtf8(s); }

// The widest number the laboratory writes into a value box: 12 significant
// digits, a minus sign and an exponent.
const char* const kWidest = "-1.23456789012e-21";
const double kWidestValue = -1.23456789012e-21;

// The boxes the laboratory writes computed values into, wide enough for
// kWidest itself.
constexpr ControlId kWideValueBoxes[] = {
    Text6,  Text27, Text28, Text31, Text32, Text33, Text34, Text35, Text36, Text37, Text38, Text39,
    Text41, Text42, Text43, Text44, Text45, Text46, Text47, Text48, Text49, Text52, Text60};

// Narrower boxes the laboratory writes into: the result table, R2, K3, R4,
// and VX, VY, Dn written by "V0". A number wider than the box is shown
// rounded to the digits that fit.
constexpr ControlId kNarrowValueBoxes[] = {Text7, Text8, Text14, Text15, Text25, Text26};

}  // namespace

class FormTest : public test::WindowFixture {
  Q_OBJECT

 private:
  // A control's rectangle on the form, which stands under the menu bar.
  QRect rectOf(ControlId id) const {
    QWidget* c = w_->control(id);
    return QRect(c->mapTo(w_.get(), QPoint(0, 0)) - w_->formOrigin(), c->size());
  }
  QLineEdit* box(ControlId id) const { return qobject_cast<QLineEdit*>(w_->control(id)); }

  void defaultsShowWhole() {
    for (const auto& entry : controlTable()) {
      if (entry.kind != Kind::Text) continue;
      QLineEdit* b = box(entry.id);
      QCOMPARE(b->text(), q(entry.initial));
      QVERIFY2(fitsBox(b, b->text()),
               qPrintable(QString("%1: %2 is %3 px in %4")
                              .arg(entry.name, b->text())
                              .arg(QFontMetricsF(b->font()).horizontalAdvance(b->text()))
                              .arg(boxTextRoom(b))));
    }
  }

  // Captions (labels, check boxes, option buttons) stand clear of every
  // other control, a pixel at least between them; a control of a frame
  // stands inside the frame's border, below its title.
  void captionsStandClear() {
    const auto& table = controlTable();
    QStringList touching;
    for (const auto& a : table) {
      if (a.kind != Kind::Label && a.kind != Kind::Check && a.kind != Kind::Option) continue;
      const QRect around = rectOf(a.id).adjusted(-1, -1, 1, 1);
      for (const auto& b : table)
        if (b.id != a.id && b.kind != Kind::Timer && b.id != a.frame &&
            around.intersects(rectOf(b.id)))
          touching << QString("%1 \"%2\" touches %3").arg(a.name, in(a.caption), b.name);
      if (a.frame != ControlCount) {
        auto* frame = qobject_cast<QGroupBox*>(w_->control(a.frame));
        if (!frame->contentsRect().contains(w_->control(a.id)->geometry()))
          touching << QString("%1 \"%2\" crosses the border of %3")
                          .arg(a.name, in(a.caption), frame->objectName());
      }
    }
    QVERIFY2(touching.isEmpty(), qPrintable(touching.join("; ")));
  }

  // Resizes the window to the form at a zoom and waits for the form.
  void zoomTo(qreal zoom, qreal aspect = 1) {
    const int menu = w_->menuBar()->sizeHint().height();
    const QSize size(qRound(w_->formSize().width() * zoom * aspect),
                     menu + qRound((w_->formSize().height() - menu) * zoom));
    w_->resize(size);
    QTRY_COMPARE(w_->size(), size);
    QTRY_VERIFY(std::abs(w_->zoom() - zoom) < 0.01);
  }

  // Pixels of one colour in a picture.
  static int count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == (colour | 0xff000000u);
    return n;
  }

  // Every box the laboratory writes into shows kWidest whole, rounded where
  // the box is narrow.
  void valuesShowWhole() {
    for (ControlId id : kWideValueBoxes) {
      QVERIFY2(fitsBox(box(id), kWidest), controlTable()[id].name);
      QCOMPARE(boxShows(box(id), kWidest), q(kWidest));
    }
    std::vector<ControlId> narrow(std::begin(kNarrowValueBoxes), std::end(kNarrowValueBoxes));
    for (int id = Text61; id <= Text85; ++id) narrow.push_back(ControlId(id));
    for (ControlId id : narrow) {
      const QString shown = boxShows(box(id), kWidest);
      QVERIFY2(fitsBox(box(id), shown), qPrintable(shown));
      // At least three significant digits and the exponent stay.
      QVERIFY2(shown.startsWith("-1.23") && shown.endsWith("e-21"), qPrintable(shown));
      // Times of a race and values of eight characters stay as they are.
      for (const char* v : {"6.39", "25.37", "-6378000", "0.000123"})
        QCOMPARE(boxShows(box(id), q(v)), q(v));
    }
  }

 private slots:
  // The window keeps its size in settings: never the user's own.
  void initTestCase() {
    redirectSettings();
    // form_fallback_face: the whole form in the face that stands in where
    // Liberation Sans Narrow is not installed.
    leaveOutNarrowFace(qEnvironmentVariableIsSet("LUMET_TEST_FALLBACK_FACE"));
  }
  void init() { openWindow(false); }
  void cleanup() { closeWindow(); }

  void theFormSpeaksInItsNarrowFace() {
    const QString face = qEnvironmentVariableIsSet("LUMET_TEST_FALLBACK_FACE")
                             ? QFontInfo(formFont()).family()
                             : q("Liberation Sans Narrow");
    QVERIFY(face != q("Liberation Sans Narrow") ||
            !qEnvironmentVariableIsSet("LUMET_TEST_FALLBACK_FACE"));
    QCOMPARE(QFontInfo(w_->font()).family(), face);
    QCOMPARE(QFontInfo(box(Text1)->font()).family(), face);
  }

  void everyBoxShowsItsDefaultWhole() { defaultsShowWhole(); }

  void everyValueTheLaboratoryWritesShowsWhole() { valuesShowWhole(); }

  // The room a box reports is the room the line edit gives: a text that
  // fits is shown from its first character with the cursor at its end; a
  // text a few pixels wider scrolls.
  void theRoomOfABoxIsWhereItStartsToScroll() {
    QLineEdit* mx = box(Text29);
    const auto cursorX = [mx] { return mx->inputMethodQuery(Qt::ImCursorRectangle).toRect().x(); };
    const auto scrolls = [mx, cursorX](const QString& text) {
      mx->setText(text);
      mx->setCursorPosition(0);
      mx->grab();
      const int start = cursorX();
      mx->setCursorPosition(text.size());
      mx->grab();
      mx->setCursorPosition(0);
      return cursorX() != start;  // painted scrolled
    };
    QString fits = "3000000", wide = "3000000";
    while (fitsBox(mx, fits + "1")) fits += "1";
    while (QFontMetricsF(mx->font()).horizontalAdvance(wide) <= boxTextRoom(mx) + 3) wide += "1";
    QVERIFY(!scrolls(fits));
    QVERIFY(scrolls(wide));
  }

  void captionsStandClearOfTheirNeighbours() { captionsStandClear(); }

  // Every input box, check box, option button and button says what it is,
  // each in its own words, boxes with the unit of their value; the pointer
  // resting on KRz3 or on the start button shows it.
  void everyControlSaysWhatItIs() {
    const auto tooltip = [this](ControlId id) { return in(controlTable()[id].tip); };
    QSet<QString> seen;
    for (const auto& entry : controlTable()) {
      const bool needs = entry.kind == Kind::Text || entry.kind == Kind::Check ||
                         entry.kind == Kind::Option || entry.kind == Kind::Command;
      const QString tip = tooltip(entry.id);
      QCOMPARE(tip.isEmpty(), !needs);
      if (!needs) continue;
      QVERIFY2(!seen.contains(tip), entry.name);
      seen << tip;
      QVERIFY2(w_->control(entry.id)->toolTip().contains(tip.toHtmlEscaped()), entry.name);
    }
    // The unit of each box, as the manual names it.
    const std::tuple<ControlId, const char*, const char*> units[] = {
        {Text1, "кг", "kg"},         {Text2, "к", "(C)"},       {Text13, "м", ", m"},
        {Text4, "н/м", "N/m"},       {Text5, "н*с/м", "N*s/m"}, {Text7, "м/с", "m/s"},
        {Text9, ", м", ", m"},       {Text16, ", н", ", N"},    {Text54, ", с", ", s"},
        {Text51, "с/см", "s/cm"},    {Text29, "м/см", "m/cm"},  {Text53, "1/с", "1/s"},
        {Text60, ", с", ", s"},      {Text36, ", м", ", m"},    {Text47, "Дж", "J"},
        {Text61, ", с", ", s"},      {Text24, "KRz3", "KRz3"},  {Text50, "Цвет", "colour"},
        {Text45, "радиан", "radian"}};
    for (const auto& [id, ru, en] : units)
      QVERIFY2(tooltip(id).contains(in({ru, en})), controlTable()[id].name);
    for (ControlId id : {Text24, Command1}) {
      QWidget* c = w_->control(id);
      QHelpEvent hover(QEvent::ToolTip, QPoint(3, 3), c->mapToGlobal(QPoint(3, 3)));
      QApplication::sendEvent(c, &hover);
      QTRY_VERIFY(QToolTip::isVisible());
      QVERIFY(QToolTip::text().contains(tooltip(id).toHtmlEscaped()));
      QToolTip::hideText();
    }
    // A number shown rounded says itself whole under the pointer.
    writeValue(V::T1, kWidestValue);
    w_->press(Command2);
    QVERIFY(box(Text61)->toolTip().contains(q(kWidest)));
    writeValue(V::T1, 6.39);
    w_->press(Command2);
    QVERIFY(!box(Text61)->toolTip().contains(in({"Полностью", "In full"})));
  }

  // Resizing the window scales the whole form by one factor: places,
  // sizes, the face, the pictures at device resolution; everything still
  // reads whole and stands clear.
  void theFormGrowsWithItsWindow() {
    const int dpi = w_->logicalDpiX();
    const qreal points = w_->font().pointSizeF();
    for (qreal z : {2.0, 1.5, 1.0}) {
      zoomTo(z);
      const qreal zoom = w_->zoom();
      const auto px = [&](int twips) { return qRound(twips * dpi / 1440.0 * zoom); };
      for (const auto& entry : controlTable()) {
        if (entry.kind == Kind::Timer) continue;
        QCOMPARE(rectOf(entry.id).topLeft(), QPoint(px(entry.left), px(entry.top)));
        if (entry.width > 0)
          QCOMPARE(rectOf(entry.id).size(), QSize(px(entry.width), px(entry.height)));
      }
      QCOMPARE(w_->font().pointSizeF(), points * zoom);
      QCOMPARE(box(Text1)->font().pointSizeF(), points * zoom);
      const ControlEntry& p1 = controlTable()[Picture1];
      const QImage& image = w_->picture(Picture1)->canvas().image();
      QCOMPARE(image.width(), int(std::ceil(px(p1.width) * w_->devicePixelRatioF())));
      QCOMPARE(image.devicePixelRatio(), w_->devicePixelRatioF());
      defaultsShowWhole();
      valuesShowWhole();
      captionsStandClear();
    }
    // A window wider than the form's shape: the form fills its height and
    // stands in the middle.
    zoomTo(1.25, 1.5);
    const int left = w_->formOrigin().x();
    QVERIFY(std::abs(left - (w_->width() - qRound(w_->formSize().width() * 1.25)) / 2) <= 1);
    QVERIFY(w_->formOrigin().y() + rectOf(Picture2).bottom() < w_->height());
  }

  // A number the laboratory writes that is wider than its box is shown
  // rounded, and rounded anew to what fits when the form grows; the
  // laboratory keeps the number whole.
  void aNumberTooWideIsRoundedAndGrowsBack() {
    writeValue(V::T1, kWidestValue);
    w_->press(Command2);  // any handler shows what the laboratory changed
    const QString small = box(Text61)->text();
    QVERIFY2(small.startsWith("-1.23") && small.endsWith("e-21"), qPrintable(small));
    QVERIFY(fitsBox(box(Text61), small));
    zoomTo(2);
    const QString big = box(Text61)->text();
    QVERIFY2(big.startsWith("-1.23") && big.endsWith("e-21"), qPrintable(big));
    QVERIFY(fitsBox(box(Text61), big));
    QCOMPARE(form().text(Text61), std::string(kWidest));
    // Typed text is never rounded.
    box(Text62)->setFocus();
    QTest::keyClicks(box(Text62), kWidest);
    zoomTo(1);
    QCOMPARE(box(Text62)->text(), q(kWidest));
    QCOMPARE(box(Text61)->text(), small);
  }

  // Over random magnitudes, signs and box widths, a number too wide for its
  // box shows as many leading digits as fit, in the plain or the exponent
  // form: the text fits, reads back as the number rounded to the digits it
  // shows, and keeps its magnitude. A box too narrow for even one digit and
  // its exponent shows only '#', the whole number in its tooltip.
  void aNumberTooWideKeepsItsLeadingDigits() {
    QCOMPARE(boxShows(box(Text85), "135285194618").left(3), "1.3");  // the third body's T + U
    const auto read = [](const std::string& t) {
      double v = std::nan("");
      std::from_chars(t.data(), t.data() + t.size(), v);
      return v;
    };
    const auto rounded = [](double v, int digits) {  // "1.35e+11"
      char buf[64];
      return std::string(
          buf, std::to_chars(buf, buf + 64, v, std::chars_format::scientific, digits - 1).ptr);
    };
    auto* probe = new QLineEdit(w_.get());
    probe->setTextMargins(-1, 0, -3, 0);
    std::mt19937_64 random(20261208);
    const auto uniform = [&](double a, double b) {
      return std::uniform_real_distribution<double>(a, b)(random);
    };
    for (int k = 0; k < 3000; ++k) {  // every third an integer
      const double ten = std::pow(10.0, std::floor(k % 3 ? uniform(-300, 300) : uniform(0, 15)));
      const double v = (random() % 2 ? -1 : 1) *
                       (k % 3 ? uniform(1, 10) * ten : std::ceil(uniform(1, 1e15) / ten));
      probe->resize(int(uniform(6, 140)), probe->height());
      const std::string text = formatBox(v);
      const QString shown = boxShows(probe, QString::fromStdString(text));
      const QByteArray what =
          QString("%1 in %2 px: %3")
              .arg(QString::fromStdString(text), QString::number(probe->width()), shown)
              .toUtf8();
      if (shown.count('#') == shown.size()) {  // not even the shortest exponent form fits
        const std::string one = rounded(read(text), 1);
        const size_t e = one.find('e');
        const std::string shortest =
            one.substr(0, e) + "e" + std::to_string(std::stoi(one.substr(e + 1)));
        QVERIFY2(!shown.isEmpty() && !fitsBox(probe, QString::fromStdString(shortest)), what);
        QVERIFY2(shown.size() == 1 || fitsBox(probe, shown), what);
        continue;
      }
      // The digits shown: leading zeros are not, zeros before the point are.
      std::string digits = shown.toStdString().substr(0, size_t(shown.indexOf('e')));
      std::erase_if(digits, [](char c) { return c == '-' || c == '.'; });
      digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
      const double back = read(shown.toStdString()), value = read(text);
      QVERIFY2(fitsBox(probe, shown) && back == read(rounded(value, int(digits.size()))), what);
      QVERIFY2(back / value > 0.5 && back / value < 2, what);
    }
  }

  // The pictures keep what was drawn: at a new size lines and circles are
  // drawn again at the new resolution, dots as wide as a pixel of the form;
  // back at the first size the picture is what it was.
  void picturesKeepWhatTheyHoldAcrossSizes() {
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    ImageCanvas& canvas = w_->picture(Picture1)->canvas();
    w_->press(Command5);
    canvas.scale(-5, 5, 5, -5);
    canvas.line(-4, -4, 4, 3, {255, 0, 0});
    for (int k = 0; k < 2000; ++k)
      canvas.point(3 * std::cos(k * 0.003), 3 * std::sin(k * 0.003), {0, 0, 255});
    const QImage first = canvas.image().copy();
    const int redFirst = count(first, red), blueFirst = count(first, blue);
    QVERIFY(redFirst > 0 && blueFirst > 0);
    zoomTo(2);
    const QImage& big = canvas.image();
    QCOMPARE(big.width(), int(std::ceil(w_->picture(Picture1)->width() * w_->devicePixelRatioF())));
    QVERIFY(std::abs(count(big, red) - 2.0 * redFirst) <= 0.05 * redFirst);
    QVERIFY(count(big, blue) >= 3 * blueFirst);  // twice the path, dots twice as wide
    zoomTo(1);
    int differ = 0;
    for (int y = 0; y < first.height(); ++y)
      for (int x = 0; x < first.width(); ++x)
        differ += first.pixel(x, y) != canvas.image().pixel(x, y);
    QVERIFY2(differ <= blueFirst / 50, qPrintable(QString::number(differ)));
    // A long run keeps no more dots than cells it crosses.
    for (int k = 0; k < 200000; ++k)
      canvas.point(3 * std::cos(k * 0.003), 3 * std::sin(k * 0.003), {0, 0, 255});
    QVERIFY(canvas.keptDots() < 20000);
  }

  // The right picture's grid lines at -5 and +5 land on its edge pixels:
  // the frame is closed on all four sides, at any size.
  void theRightPictureIsFramedOnAllFourSides() {
    w_->press(Command5);
    for (qreal zoom : {1.0, 1.7}) {
      zoomTo(zoom);
      const QImage& image = w_->picture(Picture1)->canvas().image();
      const QRgb background = w_->picture(Picture1)->canvas().background().rgb();
      const int w = image.width(), h = image.height();
      int open = 0;
      for (int x = 0; x < w; ++x)
        open += (image.pixel(x, 0) == background) + (image.pixel(x, h - 1) == background);
      for (int y = 0; y < h; ++y)
        open += (image.pixel(0, y) == background) + (image.pixel(w - 1, y) == background);
      QCOMPARE(open, 0);
    }
  }

  // The numbers under the lower picture stand under the grid lines they
  // name, at any size.
  void theTimeLabelsStandUnderTheirGridLines() {
    w_->press(Command5);
    for (qreal zoom : {1.0, 1.5}) {
      zoomTo(zoom);
      PictureWidget* p2 = w_->picture(Picture2);
      const QImage& image = p2->canvas().image();
      const qreal ratio = image.devicePixelRatio();
      // Columns of the vertical lines, on a row between the horizontal ones.
      const int row = qRound((4 - 0.5) / 8 * (image.height() - 1));
      QList<qreal> lines{0};
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, row) == qRgb(kColour1.r, kColour1.g, kColour1.b)) lines << x / ratio;
      QCOMPARE(lines.size(), 7);
      const ControlId labels[] = {Label65, Label66, Label67, Label68, Label69, Label70, Label71};
      for (int k = 0; k < 7; ++k) {
        const QRect r = rectOf(labels[k]);
        QCOMPARE(in(controlTable()[labels[k]].caption), QString::number(2 * k));
        const qreal centre = r.x() + r.width() / 2.0 - rectOf(Picture2).x();
        QVERIFY2(std::abs(centre - lines[k]) <= 1.5 * zoom,
                 qPrintable(
                     QString("\"%1\" at %2, its line at %3").arg(2 * k).arg(centre).arg(lines[k])));
        QVERIFY(r.top() > rectOf(Picture2).bottom());
      }
    }
  }

  // The window opens at the size it had when it was closed, within the
  // screen and never smaller than the form.
  void theWindowRemembersItsSize() {
    zoomTo(1.5);
    const QSize big = w_->size();
    w_->close();
    const auto reopen = [this] {
      w_ = std::make_unique<MainWindow>(dir_->path().toStdString());
      w_->show();
      return QTest::qWaitForWindowExposed(w_.get());
    };
    QVERIFY(reopen());
    // Within the screen it opens on (the offscreen screen is small).
    const QSize room = w_->screen()->availableGeometry().size();
    QCOMPARE(w_->size(), big.boundedTo(room).expandedTo(w_->formSize()));
    if (big.width() <= room.width() && big.height() <= room.height())
      QTRY_VERIFY(std::abs(w_->zoom() - 1.5) < 0.01);
    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    settings.setValue("window/size", QSize(100000, 100000));
    settings.sync();
    QVERIFY(reopen());
    QVERIFY(w_->width() <= w_->screen()->availableGeometry().width());
    settings.setValue("window/size", QSize(10, 10));
    settings.sync();
    QVERIFY(reopen());
    QCOMPARE(w_->size(), w_->formSize());
  }

  // The About window opens at the form's zoom, and its text grows with it:
  // a larger face, a larger text box; "Закрыть" and the caption lines keep
  // to the band below the text.
  void aboutGrowsWithItsWindow() {
    w_->press(Command6);
    AboutWindow* about = w_->about();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    const QSize base = about->size();
    const QRect text = about->text()->geometry();
    const qreal points = about->text()->font().pointSizeF();
    about->resize(base * 2);
    QTRY_COMPARE(about->size(), base * 2);
    QCOMPARE(about->text()->font().pointSizeF(), points * 2);
    QVERIFY(about->text()->width() >= 2 * text.width() - 2);
    QVERIFY(about->text()->height() >= 2 * text.height() - 2);
    const QRect button = about->closeButton()->geometry();
    QVERIFY(about->rect().contains(button));
    QVERIFY(button.top() > about->text()->geometry().bottom());
    for (QLabel* label : about->findChildren<QLabel*>()) {
      QVERIFY(label->y() > about->text()->geometry().bottom());
      QVERIFY(label->geometry().right() < button.x());
    }
    // Taller only: the text box takes the height; the face stays.
    about->resize(base.width(), base.height() * 3);
    QTRY_COMPARE(about->size(), QSize(base.width(), base.height() * 3));
    QCOMPARE(about->text()->font().pointSizeF(), points);
    QVERIFY(about->text()->height() > 3 * text.height());
    about->close();
    QTRY_VERIFY(!w_->about());
    // Opened from a larger form, it opens larger.
    zoomTo(1.5);
    w_->press(Command6);
    QVERIFY(QTest::qWaitForWindowExposed(w_->about()));
    QCOMPARE(w_->about()->size(), base * w_->zoom());
  }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
