// "Опыты → Серия опытов…": the dialog opens beside the window without
// blocking it, a bad input is told once and runs nothing, a tiny series of
// the race fills the table and the graph, a cancelled series keeps the runs
// it finished, and the inputs come back at the next opening.
#include "gui/series_dialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include "window_fixture.h"

using namespace lumet;

namespace {

struct Noted : Dialogs {
  QStringList messages;
  void message(const Message& text) override { messages << QString::fromStdString(textOf(text)); }
  bool question(const Message&) override { return true; }
};

QString q(const char* s) { return QString::fromUtf8(s); }

// Answers the file dialogs with one path.
struct SaveTo : FileChooser {
  QString path;
  QString toSave(QWidget*, const FileQuery&) override { return path; }
};

}  // namespace

class SeriesDialogTest : public test::WindowFixture {
  Q_OBJECT

 private:
  Noted noted_;

  SeriesDialog* openDialog() {
    auto* item = w_->menuBar()->findChild<QAction*>("series");
    if (!item) return nullptr;
    item->trigger();
    return w_->findChild<SeriesDialog*>("seriesDialog");
  }
  template <class W>
  static W* part(SeriesDialog* d, const char* name) {
    return d->findChild<W*>(name);
  }
  static void inputs(SeriesDialog* d, const char* name, const char* from, const char* to,
                     const char* count) {
    auto* p = part<QComboBox>(d, "seriesParameter");
    p->setCurrentIndex(p->findData(name));
    part<QLineEdit>(d, "seriesFrom")->setText(from);
    part<QLineEdit>(d, "seriesTo")->setText(to);
    part<QLineEdit>(d, "seriesCount")->setText(count);
  }

 private slots:
  void initTestCase() { redirectSettings(); }
  void init() {
    openWindow(false);
    noted_ = Noted();
    w_->messageBoxes().instead = &noted_;
    QVERIFY(w_->documents().openExample(QString(LUMET_SOURCE_DIR) + "/examples/race.lumet"));
  }
  void cleanup() { closeWindow(); }

  void theMenuOpensADialogThatLeavesTheWindowFree() {
    auto* item = w_->menuBar()->findChild<QAction*>("series");
    QVERIFY(item);
    QCOMPARE(item->text(), q("Серия опытов…"));
    SeriesDialog* d = openDialog();
    QVERIFY(d);
    QVERIFY(d->isVisible());
    QVERIFY(!d->isModal());
    QCOMPARE(d->windowTitle(), q("Серия опытов"));
    // The parameter by its caption and unit, not by a box's name.
    auto* p = part<QComboBox>(d, "seriesParameter");
    QCOMPARE(p->itemText(p->findData("Xk")), q("Xк, м"));
    QCOMPARE(part<QPushButton>(d, "seriesStart")->text(), q("Начать"));
    QCOMPARE(part<QPushButton>(d, "seriesCancel")->text(), q("Отменить"));
    // The same dialog at the next choice.
    QCOMPARE(openDialog(), d);
  }

  void aBadInputIsToldOnceAndNothingRuns() {
    SeriesDialog* d = openDialog();
    const struct {
      const char *from, *to, *count, *limit;
      bool log;
    } bad[] = {{"50", "x", "3", "", false}, {"0", "200", "3", "", true}};  // each told in the core
    for (const auto& b : bad) {
      inputs(d, "Xk", b.from, b.to, b.count);
      part<QLineEdit>(d, "seriesLimit")->setText(b.limit);
      part<QCheckBox>(d, "seriesLog")->setChecked(b.log);
      noted_.messages.clear();
      QVERIFY(!d->start());
      QCOMPARE(noted_.messages.size(), 1);
      QVERIFY(!d->running());
    }
    part<QLineEdit>(d, "seriesLimit")->clear();
    part<QCheckBox>(d, "seriesLog")->setChecked(false);
    // A set-up that starts for no value: told when the series ends, no rows.
    inputs(d, "Xk", "-50", "0", "3");
    noted_.messages.clear();
    QVERIFY(d->start());
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 20000);
    QCOMPARE(noted_.messages,
             QStringList({q("Опыт не начинается ни при одном значении Xк: Xn должно быть "
                            "всегда меньше Xk")}));
    QVERIFY(d->rows().empty());
  }

  void aTinySeriesFillsTheTableAndTheGraph() {
    SeriesDialog* d = openDialog();
    inputs(d, "Xk", "90", "110", "3");
    QVERIFY(d->start());
    QVERIFY(d->running());
    QVERIFY(!part<QPushButton>(d, "seriesStart")->isEnabled());
    QVERIFY(part<QPushButton>(d, "seriesCancel")->isEnabled());
    // The window answers while the series runs.
    w_->press(Command1);
    QVERIFY(w_->timer().isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 30000);
    QVERIFY2(noted_.messages.isEmpty(), qPrintable(noted_.messages.join("; ")));
    QCOMPARE(int(d->rows().size()), 12);
    QCOMPARE(d->table()->model()->rowCount(), 12);
    QCOMPARE(d->table()->model()->index(0, 3).data().toString(), q("закончен"));
    QCOMPARE(d->table()->model()->index(1, 4).data().toString(), QString("5.63"));
    QCOMPARE(part<QProgressBar>(d, "seriesProgress")->value(), 3);
    for (const SeriesRow& r : d->rows()) QCOMPARE(r.status, RunStatus::Finished);
    // The cycloid's curve in its colour (blue), the line's in cyan.
    const QImage graph = d->graph()->picture();
    bool blue = false, cyan = false;
    for (int y = 0; y < graph.height(); ++y)
      for (int x = 0; x < graph.width(); ++x) {
        const QRgb c = graph.pixel(x, y);
        blue = blue || c == qRgb(0, 0, 255);
        cyan = cyan || c == qRgb(0, 230, 230);
      }
    QVERIFY(blue && cyan);
    // The table for a spreadsheet, the CSV and the PNG, as shown.
    part<QPushButton>(d, "seriesCopy")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString::fromStdString(seriesTable(P::Xk, d->rows(), '\t', "\n")));
    auto chooser = std::make_unique<SaveTo>();
    SaveTo* answers = chooser.get();
    w_->documents().setChooser(std::move(chooser));
    answers->path = dir_->filePath("race.csv");
    part<QPushButton>(d, "seriesSaveCsv")->click();
    QFile csv(answers->path);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll().toStdString(), seriesCsv(P::Xk, d->rows()));
    answers->path = dir_->filePath("race.png");
    part<QPushButton>(d, "seriesSavePng")->click();
    QCOMPARE(QImage(answers->path).size(), d->graph()->size());
    QVERIFY2(noted_.messages.isEmpty(), qPrintable(noted_.messages.join("; ")));
  }

  void aCancelledSeriesKeepsTheRunsItFinished() {
    SeriesDialog* d = openDialog();
    inputs(d, "Xk", "50", "200", "2000");
    QVERIFY(d->start());
    auto* progress = part<QProgressBar>(d, "seriesProgress");
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() >= 2, 30000);
    part<QPushButton>(d, "seriesCancel")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 30000);
    const size_t rows = d->rows().size();
    QVERIFY(rows >= 8);
    QVERIFY(rows < 8000);
    QCOMPARE(rows % 4, size_t(0));
    QCOMPARE(d->table()->model()->rowCount(), int(rows));
    // The runs kept are whole runs, in order.
    for (size_t k = 0; k < rows; ++k) QCOMPARE(d->rows()[k].trajectory, int(k % 4) + 1);
  }

  void theInputsComeBackAtTheNextOpening() {
    SeriesDialog* d = openDialog();
    inputs(d, "h", "0.001", "0.02", "7");
    part<QCheckBox>(d, "seriesLog")->setChecked(true);
    part<QLineEdit>(d, "seriesLimit")->setText("9");
    d->close();
    delete d;
    d = openDialog();
    QVERIFY(d);
    QCOMPARE(part<QComboBox>(d, "seriesParameter")->currentData().toString(), QString("h"));
    QCOMPARE(part<QLineEdit>(d, "seriesFrom")->text(), QString("0.001"));
    QCOMPARE(part<QLineEdit>(d, "seriesTo")->text(), QString("0.02"));
    QCOMPARE(part<QLineEdit>(d, "seriesCount")->text(), QString("7"));
    QVERIFY(part<QCheckBox>(d, "seriesLog")->isChecked());
    QCOMPARE(part<QLineEdit>(d, "seriesLimit")->text(), QString("9"));
  }

  // The README's picture: with LUMET_SERIES_PICTURE=DIR, the race's series
  // of the lesson, its graph saved as DIR/series_race.png and the whole
  // dialog as DIR/series_dialog.png.
  void theLessonsPicture() {
    const QString dir = qEnvironmentVariable("LUMET_SERIES_PICTURE");
    if (dir.isEmpty()) QSKIP("LUMET_SERIES_PICTURE names no folder");
    SeriesDialog* d = openDialog();
    d->resize(1100, 520);
    inputs(d, "Xk", "50", "200", "31");
    QVERIFY(d->start());
    QTRY_VERIFY_WITH_TIMEOUT(!d->running(), 60000);
    QVERIFY(d->graph()->picture().save(dir + "/series_race.png"));
    QVERIFY(d->grab().save(dir + "/series_dialog.png"));
  }
};

QTEST_MAIN(SeriesDialogTest)
#include "series_dialog_test.moc"
