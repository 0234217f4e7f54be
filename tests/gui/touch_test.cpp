// The pictures as controls, driven with the mouse as a user drives them:
// the pointer's coordinates in the status line, a drag of the end point by
// the expected metres, a refused point that keeps the last good one, a
// wheel notch of 1.25, undo and redo of them, the default values, "Вписать"
// and the handles hidden during a run.
#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "gui/handles.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/status_line.h"
#include "gui/undo.h"
#include "window_fixture.h"

using namespace lumet;

namespace {

QString q(const char* s) { return QString::fromUtf8(s); }

}  // namespace

class TouchTest : public test::WindowFixture {
  Q_OBJECT

 private:
  PictureLayer* layer(ControlId id) { return w_->layer(id); }
  QAction* item(const char* name) {
    auto* action = w_->menuBar()->findChild<QAction*>(name);
    if (!action) qFatal("no menu item %s", name);
    return action;
  }
  double number(P p) { return *w_->laboratory().parameters().number(p); }
  QString box(P p) { return static_cast<QLineEdit*>(w_->control(controlOf(p)))->text(); }
  // The race of the four rods, the right picture at 40 m/cm: the start at
  // (0, 100) m, the end at (100, 0) m, both inside the picture.
  void race() {
    form().open(LUMET_SOURCE_DIR "/examples/race.lumet");
    w_->showReport(Report{});
    auto* mx = static_cast<QLineEdit*>(w_->control(controlOf(P::Mx)));
    mx->setFocus();
    mx->selectAll();
    QTest::keyClicks(mx, "40");
    QTest::keyClick(mx, Qt::Key_Return);
  }
  void wheel(PictureLayer* l, QPoint at, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWheelEvent e(at, l->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(l, &e);
  }
  void drag(PictureLayer* l, QPointF from, QPointF to) {
    QTest::mousePress(l, Qt::LeftButton, {}, from.toPoint());
    QTest::mouseMove(l, ((from + to) / 2).toPoint());
    QTest::mouseMove(l, to.toPoint());
    QTest::mouseRelease(l, Qt::LeftButton, {}, to.toPoint());
  }

 private slots:
  void initTestCase() { redirectSettings(); }
  void init() { openWindow(true); }
  void cleanup() { closeWindow(); }

  void thePointerTellsTheModelCoordinates() {
    race();
    PictureLayer* l = layer(Picture1);
    // The picture's centre is the origin; its right edge 5 cm = 200 m away.
    QTest::mouseMove(l, QPoint(l->width() - 1, (l->height() - 1) / 2));
    const QString text = w_->statusLine()->text();
    QVERIFY2(text.startsWith("X = 200 ") && text.contains("Y = 0 "), qPrintable(text));
    const QPointF m = l->modelAt(QPointF(0, 0));
    QCOMPARE(m.x(), -200.0);
    QCOMPARE(m.y(), 200.0);
    // The lower picture: time along, the value up, at Mt and M.
    PictureLayer* l2 = layer(Picture2);
    const QPointF t = l2->modelAt(QPointF(l2->width() - 1, 0));
    QCOMPARE(t.x(), 14 * 0.5);
    QCOMPARE(t.y(), 4 * 50.0);
  }

  void aDragMovesTheEndByTheExpectedMetres() {
    race();
    PictureLayer* l = layer(Picture1);
    const auto end = l->handleAt(PictureLayer::Handle::End);
    QVERIFY(end);
    const QPointF to = *end + QPointF(-25, 0);
    drag(l, *end, to);
    // 25 pixels of a picture 10 cm over width - 1 pixels, at 40 m/cm, to
    // within the half pixel the pointer lands off the handle and the
    // rounding to a whole metre.
    const double metresPerPixel = 10.0 * 40 / (l->width() - 1);
    QVERIFY2(std::fabs(number(P::Xk) - (100 - 25 * metresPerPixel)) <= 0.6 * metresPerPixel + 1,
             qPrintable(box(P::Xk)));
    QCOMPARE(box(P::Xk), QString::fromStdString(w_->laboratory().parameters().text(P::Xk)));
    QVERIFY(std::fabs(number(P::Yk)) <= 0.6 * metresPerPixel + 1);
    // One step of the history for the whole drag: undo restores the end,
    // redo moves it again.
    const QString dragged = box(P::Xk);
    item("undo")->trigger();
    QCOMPARE(box(P::Xk), QString("100"));
    QCOMPARE(box(P::Yk), QString("0"));
    QCOMPARE(box(P::Mx), QString("40"));
    item("redo")->trigger();
    QCOMPARE(box(P::Xk), dragged);
  }

  void aRefusedPointKeepsTheLastGoodOneAndSaysWhy() {
    race();
    PictureLayer* l = layer(Picture1);
    const auto end = l->handleAt(PictureLayer::Handle::End);
    QVERIFY(end);
    QTest::mousePress(l, Qt::LeftButton, {}, end->toPoint());
    const QPointF good = *end + QPointF(-10, -10);
    QTest::mouseMove(l, good.toPoint());
    const QString xk = box(P::Xk), yk = box(P::Yk);
    QVERIFY(xk != "100");
    // Above the start: no cycloid reaches it.
    const auto start = l->handleAt(PictureLayer::Handle::Start);
    QTest::mouseMove(l, QPoint(end->toPoint().x(), start->toPoint().y() - 20));
    QCOMPARE(box(P::Xk), xk);
    QCOMPARE(box(P::Yk), yk);
    QVERIFY2(w_->statusLine()->text().contains(q("циклоиду")) ||
                 w_->statusLine()->text().contains("cycloid"),
             qPrintable(w_->statusLine()->text()));
    QTest::mouseRelease(l, Qt::LeftButton, {}, good.toPoint());
    QCOMPARE(box(P::Xk), xk);
  }

  void theStartSpeedsArrowSetsVXAndVY() {
    race();
    PictureLayer* l = layer(Picture1);
    const auto start = l->handleAt(PictureLayer::Handle::Start);
    QVERIFY(start);
    // No speed yet: Shift takes the arrow at the start point.
    QTest::mousePress(l, Qt::LeftButton, Qt::ShiftModifier, start->toPoint());
    QTest::mouseMove(l, (*start + QPointF(30, 0)).toPoint());
    QTest::mouseRelease(l, Qt::LeftButton, Qt::ShiftModifier, (*start + QPointF(30, 0)).toPoint());
    const double cm = 30 * 10.0 / (l->width() - 1);
    QVERIFY2(std::fabs(number(P::VXn) - cm * l->arrowScale()) <= 0.1 * cm * l->arrowScale(),
             qPrintable(box(P::VXn)));
    QVERIFY(std::fabs(number(P::VYn)) <= 0.05 * cm * l->arrowScale());
    QVERIFY(l->toolTip().contains(QString::number(l->arrowScale())));
  }

  void theKeysMoveTheChosenHandle() {
    race();
    PictureLayer* l = layer(Picture1);
    l->setFocus();
    QTRY_VERIFY(l->hasFocus());
    const double metresPerPixel = 10.0 * 40 / (l->width() - 1);
    QTest::keyClick(l, Qt::Key_1);
    QTest::keyClick(l, Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY2(std::fabs(number(P::Xn) - 10 * metresPerPixel) <= metresPerPixel,
             qPrintable(box(P::Xn)));
    QCOMPARE(box(P::Xk), QString("100"));
    QTest::keyClick(l, Qt::Key_2);
    QTest::keyClick(l, Qt::Key_Up);
    QVERIFY(number(P::Yk) > 0 && number(P::Yk) <= 2 * metresPerPixel);
    // Each press one step of the history.
    item("undo")->trigger();
    QCOMPARE(box(P::Yk), QString("0"));
    item("undo")->trigger();
    QCOMPARE(box(P::Xn), QString("0"));
  }

  void aWheelNotchChangesTheScaleBy125AndUndoRestoresIt() {
    race();
    PictureLayer* l = layer(Picture1);
    const QPoint centre(l->width() / 2, l->height() / 2);
    wheel(l, centre, -120);
    QCOMPARE(number(P::Mx), 40 * 1.25);
    QCOMPARE(box(P::Mx), QString("50"));
    wheel(l, centre, 120);
    wheel(l, centre, 120);
    QCOMPARE(number(P::Mx), 40 / 1.25);
    // The lower picture: Mt, and with Shift M.
    PictureLayer* l2 = layer(Picture2);
    wheel(l2, QPoint(5, 5), -120);
    QCOMPARE(number(P::Mt), 0.5 * 1.25);
    wheel(l2, QPoint(5, 5), -120, Qt::ShiftModifier);
    QCOMPARE(number(P::M), 50 * 1.25);
    // Each notch a step of the history.
    for (int k = 0; k < 5; ++k) item("undo")->trigger();
    QCOMPARE(box(P::Mx), QString("40"));
    QCOMPARE(box(P::Mt), QString("0.5"));
    QCOMPARE(box(P::M), QString("50"));
    // The keyboard does what the wheel does.
    item("zoomOutPlane")->trigger();
    QCOMPARE(number(P::Mx), 50.0);
  }

  void aTypedEditIsOneStepAndTheDefaultsAreOneMore() {
    auto* m1 = static_cast<QLineEdit*>(w_->control(controlOf(P::m1)));
    const QString before = m1->text();
    m1->setFocus();
    m1->selectAll();
    QTest::keyClicks(m1, "2.5");
    QTest::keyClick(m1, Qt::Key_Return);
    QCOMPARE(m1->text(), QString("2.5"));
    static_cast<QAbstractButton*>(w_->control(controlOf(P::euler)))->click();
    QVERIFY(w_->laboratory().parameters().on(P::euler));
    item("defaults")->trigger();
    QCOMPARE(m1->text(), before);
    QVERIFY(!w_->laboratory().parameters().on(P::euler));
    item("undo")->trigger();
    QCOMPARE(m1->text(), QString("2.5"));
    QVERIFY(w_->laboratory().parameters().on(P::euler));
    item("undo")->trigger();
    QVERIFY(!w_->laboratory().parameters().on(P::euler));
    QCOMPARE(m1->text(), QString("2.5"));
    item("undo")->trigger();
    QCOMPARE(m1->text(), before);
    QVERIFY(!item("undo")->isEnabled());
  }

  void anOpenedSetUpIsOneStepAndATypedScaleRedrawsAtOnce() {
    const QString m1 = box(P::m1);
    race();
    QCOMPARE(box(P::Xk), QString("100"));
    item("undo")->trigger();  // the typed Mx
    QCOMPARE(box(P::Mx), QString("20"));
    item("undo")->trigger();  // the opened race
    QCOMPARE(box(P::Xk), QString::fromStdString(row(P::Xk).initial));
    QCOMPARE(box(P::m1), m1);
    // A scale typed after a preview: the picture is drawn again and shown.
    race();
    w_->press(Command7);
    QTest::qWait(20);
    auto* mx = static_cast<QLineEdit*>(w_->control(controlOf(P::Mx)));
    mx->setFocus();
    mx->selectAll();
    QTest::keyClicks(mx, "80");
    QCOMPARE(x().planeView.scales().kMx, 1 / 80.0);
    QVERIFY(w_->picture(Picture1)->pending());
  }

  void fitChoosesRoundScalesAndTheHandlesHideDuringARun() {
    race();
    w_->press(Command7);  // "Показать  траектории"
    item("fit")->trigger();
    QCOMPARE(box(P::Mx), QString("50"));
    QVERIFY(layer(Picture1)->handleAt(PictureLayer::Handle::End));
    w_->press(Command1);
    QVERIFY(w_->laboratory().running());
    QVERIFY(!layer(Picture1)->handleAt(PictureLayer::Handle::End));
    // A wheel during the run: the picture is drawn again at the new scale
    // at once, and the run goes on.
    PictureLayer* l = layer(Picture1);
    wheel(l, QPoint(l->width() / 2, l->height() / 2), -120);
    QCOMPARE(x().planeView.scales().kMx, 1 / 62.5);
    QVERIFY(w_->laboratory().running());
  }

  // A hidden extra, off unless LUMET_DRAG_SHOT names a PNG file: the race
  // previewed, its end point held by the pointer half way through a drag
  // towards (70, 20) m, the window saved (the README's picture of a drag).
  void dragShot() {
    const QString out = qEnvironmentVariable("LUMET_DRAG_SHOT");
    if (out.isEmpty()) QSKIP("LUMET_DRAG_SHOT is not set");
    race();
    w_->press(Command7);  // "Показать  траектории"
    PictureLayer* l = layer(Picture1);
    const auto end = l->handleAt(PictureLayer::Handle::End);
    QVERIFY(end);
    QTest::mousePress(l, Qt::LeftButton, {}, end->toPoint());
    const double pixelsPerMetre = (l->width() - 1) / 400.0;
    const QPointF to = *end + QPointF(-30 * pixelsPerMetre, -20 * pixelsPerMetre);
    for (int k = 1; k <= 10; ++k) QTest::mouseMove(l, (*end + (to - *end) * k / 10).toPoint());
    QTest::qWait(100);
    QVERIFY(w_->grab().save(out));
    QTest::mouseRelease(l, Qt::LeftButton, {}, to.toPoint());
  }
};

QTEST_MAIN(TouchTest)
#include "touch_test.moc"
