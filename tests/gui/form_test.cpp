// The form as a reader meets it: every value whole in its box, captions
// clear of their neighbours. Run at 96 DPI and again at 150 % (a device
// pixel ratio of 1.5, and a logical DPI of 144).
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "gui/form_look.h"
#include "gui/main_window.h"

using namespace lumet;

namespace {

QString q(const char* s) { return QString::fromUtf8(s); }

// The widest number the laboratory writes into a value box: 12 significant
// digits, a minus sign and an exponent.
const char* const kWidest = "-1.23456789012e-21";

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

class FormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<MainWindow> w_;

  QRect rectOf(ControlId id) const {
    QWidget* c = w_->control(id);
    return QRect(c->mapTo(w_.get(), QPoint(0, 0)), c->size());
  }
  QLineEdit* box(ControlId id) const { return qobject_cast<QLineEdit*>(w_->control(id)); }

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
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    w_ = std::make_unique<MainWindow>(dir_->path().toStdString());
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
  }
  void cleanup() {
    w_.reset();
    dir_.reset();
  }

  void theFormSpeaksInItsNarrowFace() {
    QCOMPARE(QFontInfo(w_->font()).family(), q("Liberation Sans Narrow"));
    QCOMPARE(QFontInfo(box(Text1)->font()).family(), q("Liberation Sans Narrow"));
  }

  void everyBoxShowsItsDefaultWhole() {
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

  // Captions (labels, check boxes, option buttons) stand clear of every
  // other control, a pixel at least between them; a control of a frame
  // stands inside the frame's border, below its title.
  void captionsStandClearOfTheirNeighbours() {
    const auto& table = controlTable();
    QStringList touching;
    for (const auto& a : table) {
      if (a.kind != Kind::Label && a.kind != Kind::Check && a.kind != Kind::Option) continue;
      const QRect around = rectOf(a.id).adjusted(-1, -1, 1, 1);
      for (const auto& b : table)
        if (b.id != a.id && b.kind != Kind::Timer && b.id != a.frame &&
            around.intersects(rectOf(b.id)))
          touching << QString("%1 \"%2\" touches %3").arg(a.name, q(a.caption), b.name);
      if (a.frame != ControlCount) {
        auto* frame = qobject_cast<QGroupBox*>(w_->control(a.frame));
        if (!frame->contentsRect().contains(w_->control(a.id)->geometry()))
          touching << QString("%1 \"%2\" crosses the border of %3")
                          .arg(a.name, q(a.caption), frame->objectName());
      }
    }
    QVERIFY2(touching.isEmpty(), qPrintable(touching.join("; ")));
  }
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
