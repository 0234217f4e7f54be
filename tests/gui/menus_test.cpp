// The menus "Файл", "Правка", "Опыты" and "Справка" driven offscreen: items
// and shortcuts, set-up files opened and saved (all or nothing, one message
// naming the file and its problem), the window's title, every ready
// experiment from the menu, the pictures as PNG at the device's resolution,
// the result table as CSV and on the clipboard, every failed write, and
// Qt's own file dialog answered as a user answers it.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>

#include "app/results.h"
#include "app/setup_file.h"
#include "gui/examples.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/settings.h"
#include "gui/setup_properties.h"
#include "gui/status_line.h"
#include "output/csv.h"
#include "window_fixture.h"

using namespace lumet;

namespace {

QString q(const char* s) { return QString::fromUtf8(s); }

// The file dialogs answered in advance: each dialog takes the next answer
// (an empty one cancels) and is noted with what it asked.
struct Answers : FileChooser {
  QList<FileQuery> asked;
  QStringList answers;
  QStringList filters;  // the kinds of file chosen, in turn (none: the first)
  QString next(const FileQuery& query) {
    asked << query;
    if (query.chosenFilter)
      *query.chosenFilter =
          filters.isEmpty() ? query.filter.section(";;", 0, 0) : filters.takeFirst();
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
  QString toOpen(QWidget*, const FileQuery& query) override { return next(query); }
  QString toSave(QWidget*, const FileQuery& query) override { return next(query); }
};

// The window's message boxes, noted instead of shown; questions get the
// next queued answer (Yes when none is).
struct Noted : Dialogs {
  QStringList messages, questions;
  std::deque<bool> answers;
  void message(const Message& text) override { messages << QString::fromStdString(textOf(text)); }
  bool question(const Message& text) override {
    questions << QString::fromStdString(textOf(text));
    if (answers.empty()) return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
};

// An image's pixels, whatever its format and device pixel ratio.
QImage pixels(const QImage& image) {
  QImage out = image.convertToFormat(QImage::Format_RGB32);
  out.setDevicePixelRatio(1);
  return out;
}

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(f.write(bytes), bytes.size());
}

}  // namespace

class MenusTest : public test::WindowFixture {
  Q_OBJECT

 private:
  Answers* answers_ = nullptr;
  Noted noted_;
  QString file(const QString& name) const { return dir_->filePath(name); }
  QAction* item(const char* name) {
    auto* action = w_->menuBar()->findChild<QAction*>(name);
    if (!action) qFatal("no menu item %s", name);
    return action;
  }
  QMenu* menu(const char* name) { return w_->menuBar()->findChild<QMenu*>(name); }

  // Everything a set-up, the title and the run can change.
  QStringList state() {
    QStringList s;
    for (const auto& e : controlTable()) {
      if (e.kind == Kind::Timer) continue;
      s << QString("%1=%2/%3")
               .arg(e.name)
               .arg(QString::fromStdString(e.kind == Kind::Text ? form().text(e.id) : ""))
               .arg(form().value(e.id));
      if (auto* box = qobject_cast<QLineEdit*>(w_->control(e.id))) s << box->text();
    }
    s << QString::number(x().m.KDfi) << QString::fromStdString(x().title.in(Language::ru))
      << QString::fromStdString(x().description.in(Language::ru)) << w_->windowTitle()
      << w_->documents().current() << w_->statusLine()->text()
      << QString::number(w_->timer().isActive());
    return s;
  }

 private slots:
  void initTestCase() {
    redirectSettings();
    // The ready experiments of this checkout only, none of the user's.
    QStandardPaths::setTestModeEnabled(true);
  }
  void init() {
    openWindow(true);
    auto answers = std::make_unique<Answers>();
    answers_ = answers.get();
    w_->documents().setChooser(std::move(answers));
    noted_ = Noted();
    w_->messageBoxes().instead = &noted_;
  }
  void cleanup() { closeWindow(); }

  void theMenusStandInTheBarsOrderWithTheirItems() {
    QStringList titles;
    for (QAction* a : w_->menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, QStringList({q("Файл"), q("Правка"), q("Вид"), q("Опыты"), q("Скорость"),
                                  q("Справка"), q("Язык / Language")}));
    const struct {
      const char* menu;
      QStringList texts;
    } menus[] = {{"fileMenu",
                  {q("Открыть установку…"), q("Сохранить установку…"), q("Свойства установки…"),
                   q("Сохранить правый рисунок…"), q("Сохранить нижний рисунок…"),
                   q("Сохранить таблицу результатов…"), "", q("Выход")}},
                 {"editMenu",
                  {q("Копировать таблицу результатов"), "", q("Отменить"), q("Повторить"),
                   q("Исходные значения")}},
                 {"helpMenu", {"About"}},
                 {"languageMenu", {q("Русский"), "English"}}};
    for (const auto& m : menus) {
      QStringList texts;
      for (QAction* a : menu(m.menu)->actions()) {
        texts << a->text();
        QVERIFY(a->isSeparator() || !a->statusTip().isEmpty());
      }
      QCOMPARE(texts, m.texts);
    }
    QCOMPARE(item("openSetup")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(item("saveSetup")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(item("undo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(item("redo")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(item("fit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    // The status line stands under the form, across it, and leaves the
    // form's places as they were.
    const QRect status(w_->statusLine()->mapTo(w_.get(), QPoint(0, 0)), w_->statusLine()->size());
    QVERIFY(w_->rect().contains(status));
    for (const auto& e : controlTable())
      if (QWidget* c = w_->control(e.id))
        QVERIFY2(c->mapTo(w_.get(), QPoint(0, c->height())).y() <= status.top(), e.name);
    QVERIFY(status.width() >= w_->control(Picture1)->geometry().right() - 1);
    QVERIFY(status.height() >= 2 * QFontMetrics(w_->statusLine()->font()).lineSpacing());
  }

  // Ctrl+O and Ctrl+S, also while a box has the focus; the title names the
  // file; what is saved opens again to the same state.
  void theShortcutsOpenAndSaveAndTheTitleNamesTheFile() {
    QCOMPARE(w_->windowTitle(), QString("Lumet1R"));
    const QString race = QString(LUMET_SOURCE_DIR) + "/examples/race.lumet";
    answers_->answers << race;
    QLineEdit* box = qobject_cast<QLineEdit*>(w_->control(Text1));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(answers_->asked.size(), 1);
    QCOMPARE(answers_->asked[0].caption, q("Открыть установку"));
    QCOMPARE(answers_->asked[0].filter, q("Установки Lumet (*.lumet)"));
    QCOMPARE(w_->windowTitle(), q("Lumet1R — race.lumet"));
    QVERIFY(noted_.messages.isEmpty());
    QCOMPARE(form().text(Text19), std::string("100"));
    QCOMPARE(qobject_cast<QLineEdit*>(w_->control(Text19))->text(), QString("100"));
    QVERIFY(w_->statusLine()->text().startsWith(q("Гонка четырёх стержней. Четыре бусины")));
    // Saving proposes the same name in the folder of the file opened; a
    // name without a suffix gets ".lumet".
    QLineEdit* step = qobject_cast<QLineEdit*>(w_->control(Text54));
    step->selectAll();
    QTest::keyClicks(step, "0.005");
    QCOMPARE(form().text(Text54), std::string("0.005"));
    answers_->answers << file("lesson");
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(answers_->asked[1].caption, q("Сохранить установку"));
    QCOMPARE(answers_->asked[1].proposed, QString(LUMET_SOURCE_DIR) + "/examples/race.lumet");
    QCOMPARE(answers_->asked[1].suffix, QString("lumet"));
    QCOMPARE(contents(file("lesson.lumet")).toStdString(), setupText(captureSetup(x())));
    QCOMPARE(w_->windowTitle(), q("Lumet1R — lesson.lumet"));
    QCOMPARE(w_->documents().folder(), dir_->path());
    const QStringList saved = state();
    // Another set-up, then the saved file again: the same window.
    answers_->answers << QString(LUMET_SOURCE_DIR) + "/examples/stone.lumet"
                      << file("lesson.lumet");
    item("openSetup")->trigger();
    QVERIFY(state() != saved);
    item("openSetup")->trigger();
    QCOMPARE(state(), saved);
    QVERIFY(noted_.messages.isEmpty());
    QVERIFY(noted_.questions.isEmpty());
  }

  void aRefusedFileGivesOneMessageAndChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // none: the name is a folder or missing
    QTest::addColumn<QString>("problem");
    const QString none;
    QTest::newRow("not JSON") << QString("a.lumet") << QByteArray("{\"format\": ") << none;
    // A good control, then an unknown one: the good one is not taken either.
    QTest::newRow("unknown control")
        << QString("b.lumet") << QByteArray(R"({"format": "lumet-setup", "version": 1,
                                        "controls": {"Text1": "7", "Text99": "1"}})")
        << q("неизвестный элемент управления «Text99»");
    QTest::newRow("folder") << QString("e.lumet") << QByteArray() << q("это папка, а не файл");
    QTest::newRow("missing") << QString("f.lumet") << QByteArray()
                             << q("нет такого файла или папки");
  }
  void aRefusedFileGivesOneMessageAndChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const QString path = file(name);
    if (name == "e.lumet")
      QVERIFY(QDir().mkdir(path));
    else if (name != "f.lumet")
      write(path, bytes);
    // A run that goes on, a set-up opened before, a box typed into.
    answers_->answers << QString(LUMET_SOURCE_DIR) + "/examples/stone.lumet";
    item("openSetup")->trigger();
    w_->press(Command1);
    form().type(Text1, "2e-21");
    const QStringList before = state();
    answers_->answers << path;
    item("openSetup")->trigger();
    const SetupRead read = readSetupFile(path.toStdString());
    QVERIFY(!read.setup);
    if (!problem.isEmpty()) QCOMPARE(QString::fromStdString(textOf(read.problem)), problem);
    QCOMPARE(noted_.messages, QStringList{QString::fromStdString(
                                  textOf(setupRefusal(path.toStdString(), read.problem)))});
    QVERIFY(noted_.messages[0].contains(q("«") + name + q("»")));
    QCOMPARE(state(), before);
    QVERIFY(w_->timer().isActive());
  }

  // Each ready experiment of the checkout from the menu, with its title and
  // its description as the status tip, shown in the status line.
  void everyReadyExperimentOpensFromTheMenu() {
    const QString folder = QString(LUMET_SOURCE_DIR) + "/examples";
    QCOMPARE(exampleFolders(QCoreApplication::applicationDirPath()).first(),
             QDir(folder).canonicalPath());
    const QStringList files = QDir(folder).entryList({"*.lumet"}, QDir::Files);
    QVERIFY(files.size() >= 6);
    const QString dialogs = w_->documents().folder();
    QList<QAction*> actions = menu("experimentsMenu")->actions();
    // The ready experiments, then "Серия опытов…" under a separator.
    QCOMPARE(actions.size(), files.size() + 2);
    QCOMPARE(actions.last()->text(), q("Серия опытов…"));
    actions.resize(files.size());
    for (const QString& name : files) {
      const QString path = folder + "/" + name;
      const SetupRead read = readSetupFile(path.toStdString());
      QVERIFY2(read.setup, qPrintable(name));
      const QString title = QString::fromStdString(read.setup->title.in(Language::ru));
      const QString description = QString::fromStdString(read.setup->description.in(Language::ru));
      auto* action = item(qPrintable("example_" + QFileInfo(name).completeBaseName()));
      QCOMPARE(action->text(), title);
      QCOMPARE(action->statusTip(), description);
      QVERIFY(description.count(". ") + description.count(": ") >= 1);
      action->showStatusText(w_->menuBar());
      QCOMPARE(w_->statusLine()->text(), description);
      w_->press(Command1);  // a run, which opening stops
      action->trigger();
      QVERIFY2(noted_.messages.isEmpty(), qPrintable(noted_.messages.join("; ")));
      QCOMPARE(w_->windowTitle(), q("Lumet1R — ") + name);
      QVERIFY(!w_->timer().isActive());
      const Parameters& p = read.setup->parameters;
      for (const ParamRow& r : parameterTable()) {
        if (r.kind == ParamKind::Choice)
          QVERIFY(form().value(optionOf(r.id, p.choice(r.id))));
        else if (r.kind == ParamKind::Switch)
          QCOMPARE(form().value(controlOf(r.id)), p.on(r.id));
        else
          QCOMPARE(form().text(controlOf(r.id)), p.text(r.id));
      }
      QCOMPARE(x().m.KDfi, read.setup->KDfi);
      // The pointer off the menu: the status line tells the set-up opened.
      QStatusTipEvent none{QString()};
      QCoreApplication::sendEvent(w_->menuBar(), &none);
      QCOMPARE(w_->statusLine()->text(), title + ". " + description);
    }
    // Opening from the menu keeps the folder of the dialogs.
    QCOMPARE(w_->documents().folder(), dialogs);
    // The pointer on an item of the open menu, then the menu closed.
    const QString idle = w_->statusLine()->text();
    QMenu* experiments = menu("experimentsMenu");
    QTest::mouseClick(w_->menuBar(), Qt::LeftButton, {},
                      w_->menuBar()->actionGeometry(experiments->menuAction()).center());
    QVERIFY(QTest::qWaitForWindowExposed(experiments));
    QTest::mouseMove(experiments, experiments->actionGeometry(actions[0]).center());
    QTRY_COMPARE(w_->statusLine()->text(), actions[0]->statusTip());
    experiments->close();
    QTRY_COMPARE(w_->statusLine()->text(), idle);
  }

  void readyExperimentsAreFoundOnceEachInTheOrderOfTheirTitles() {
    QTemporaryDir a, b;
    const QByteArray head = R"({"format": "lumet-setup", "version": 1, "title": )";
    write(a.filePath("b.lumet"), head + R"("Б"})");
    write(a.filePath(q("в.lumet")), "not JSON");
    write(b.filePath("b.lumet"), head + R"("another"})");
    write(b.filePath("a.lumet"), head + R"("А", "description": "Д."})");
    write(b.filePath("notes.txt"), head + R"("Г"})");
    const auto found = findExamples({a.path(), b.path() + "/missing", b.path()});
    QCOMPARE(int(found.size()), 3);
    const struct {
      QString path, title, description;
    } want[] = {{b.filePath("a.lumet"), q("А"), q("Д.")},
                {a.filePath("b.lumet"), q("Б"), ""},
                {a.filePath(q("в.lumet")), q("в.lumet"), ""}};
    for (int k = 0; k < 3; ++k) {
      QCOMPARE(found[k].path, want[k].path);
      QCOMPARE(found[k].title, want[k].title);
      QCOMPARE(found[k].description, want[k].description);
    }
    // The user's own (in the test mode's data folders): in Lumet's data
    // folder, beside the run log, then in the lowercase one of earlier
    // versions.
    const QString own =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/examples";
    const QString old =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/lumet/examples";
    QVERIFY(QDir().mkpath(own) && QDir().mkpath(old));
    const QStringList folders = exampleFolders("/opt/lumet/bin");
    QDir(own).removeRecursively();
    QDir(old).removeRecursively();
    QCOMPARE(folders.mid(0, 2),
             QStringList({"/opt/lumet/examples", "/opt/lumet/share/lumet/examples"}));
    QCOMPARE(folders.indexOf(QDir::cleanPath(own)), 2);
    QVERIFY(folders.indexOf(QDir::cleanPath(old)) > 2);
  }

  // Every "Сохранить …" item: the dialog's caption, filter and proposed
  // name, the suffix added, the file written whole.
  // A teacher names their own experiment in the window: the title and
  // description go with the saved set-up, and stand in the status line.
  void aSetUpIsNamedInTheWindow() {
    QTimer::singleShot(0, this, [] {
      auto* dialog = qobject_cast<SetupProperties*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      dialog->titleBox()->setText(q("  Маятник Фуко "));
      dialog->descriptionBox()->setPlainText(q("Первая фраза. Вторая фраза."));
      dialog->accept();
    });
    item("setupProperties")->trigger();
    QCOMPARE(w_->statusLine()->text(), q("Маятник Фуко. Первая фраза. Вторая фраза."));
    answers_->answers << file("pendulum");
    item("saveSetup")->trigger();
    const SetupRead read = readSetupFile(file("pendulum.lumet").toStdString());
    QVERIFY(read.setup);
    QCOMPARE(QString::fromStdString(read.setup->title.in(Language::ru)), q("Маятник Фуко"));
    QCOMPARE(QString::fromStdString(read.setup->description.in(Language::ru)),
             q("Первая фраза. Вторая фраза."));
  }

  void everySaveItemWritesItsFile() {
    // A picture at the screen's resolution, or at twice it for print.
    static const char* const kPngFilters =
        "Рисунки PNG (*.png);;Рисунки PNG с разрешением ×2, для печати (*.png)";
    answers_->answers << QString(LUMET_SOURCE_DIR) + "/examples/race.lumet";
    item("openSetup")->trigger();
    w_->press(Command7);  // "Показать  траектории": the rods on the right picture
    writeValue(V::T2, 5.84);
    const struct {
      const char* item;
      const char* caption;
      const char* filter;
      const char* proposed;
    } rows[] = {
        {"savePicture1", "Сохранить правый рисунок", kPngFilters, "race-правый.png"},
        {"savePicture2", "Сохранить нижний рисунок", kPngFilters, "race-нижний.png"},
        {"saveResults", "Сохранить таблицу результатов", "Таблицы CSV (*.csv)",
         "race-результаты.csv"},
        {"saveSetup", "Сохранить установку", "Установки Lumet (*.lumet)", "race.lumet"},
    };
    for (const auto& row : rows) {
      answers_->asked.clear();
      answers_->answers << file(row.item);
      item(row.item)->trigger();
      QCOMPARE(answers_->asked.size(), 1);
      QCOMPARE(answers_->asked[0].caption, q(row.caption));
      QCOMPARE(answers_->asked[0].filter, q(row.filter));
      QCOMPARE(QFileInfo(answers_->asked[0].proposed).fileName(), q(row.proposed));
      const QString suffix = QFileInfo(q(row.proposed)).suffix();
      QVERIFY(QFileInfo::exists(file(row.item) + "." + suffix));
      QVERIFY(!QFileInfo::exists(file(row.item)));
    }
    QCOMPARE(contents(file("saveResults.csv")).toStdString(), resultsCsv(resultTable(x())));
    QVERIFY(contents(file("saveResults.csv")).contains("\r\n2,1,5.84,"));
    QVERIFY(!QImage(file("savePicture1.png")).isNull());
    QVERIFY(noted_.messages.isEmpty());
    // A cancelled dialog writes nothing.
    item("saveResults")->trigger();
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 4);
  }

  void aSavedPictureCarriesItsScalesAndLegend() {
    // The race previewed and started, some steps on: beads, rods, legend
    // and scales on both pictures.
    answers_->answers << QString(LUMET_SOURCE_DIR) + "/examples/race.lumet";
    item("openSetup")->trigger();
    w_->press(Command7);
    w_->press(Command1);
    w_->press(Command2);
    for (int k = 0; k < 300; ++k) w_->press(Command10);  // "Сделать 1 шаг решения"
    QVERIFY(noted_.messages.isEmpty());
    for (ControlId id : {Picture1, Picture2}) {
      PictureWidget* widget = w_->picture(id);
      const QImage traces = pixels(widget->canvas().image());
      for (int factor : {1, 2}) {
        const QString path = file(QString("picture%1x%2.png").arg(int(id)).arg(factor));
        answers_->answers << path;
        answers_->filters << (factor == 1 ? q("Рисунки PNG (*.png)")
                                          : q("Рисунки PNG с разрешением ×2, для печати (*.png)"));
        item(id == Picture1 ? "savePicture1" : "savePicture2")->trigger();
        const QImage saved = pixels(QImage(path));
        const qreal ratio = w_->devicePixelRatioF() * factor;
        QCOMPARE(saved.size(), QSize(int(std::ceil(widget->width() * ratio)),
                                     int(std::ceil(widget->height() * ratio))));
        // What differs from the traces and grids: the legend at the top
        // right, the scale along the bottom edge, the one along the left.
        const QImage shown = factor == 1 ? traces : traces.scaled(saved.size());
        auto differing = [&](QRect where) {
          int n = 0;
          for (int y = where.top(); y <= where.bottom(); ++y)
            for (int x = where.left(); x <= where.right(); ++x)
              n += saved.pixel(x, y) != shown.pixel(x, y);
          return n;
        };
        const int w = saved.width(), h = saved.height();
        const QRect legend(w * 2 / 3, 0, w / 3, h / 8);
        const QRect bottom(w / 4, h - h / 12, w / 2, h / 12);
        const QRect left(0, h / 4, w / 10, h / 2);
        for (QRect where : {legend, bottom, left})
          QVERIFY2(differing(where) > where.width() * where.height() / 50,
                   qPrintable(QString("picture %1 at %2×: %3 of %4 pixels")
                                  .arg(int(id))
                                  .arg(factor)
                                  .arg(differing(where))
                                  .arg(where.width() * where.height())));
      }
    }
    // The window's image keeps the traces only.
    QVERIFY(noted_.messages.isEmpty());
  }

  void aPictureIsSavedAtTheDevicesResolution() {
    w_->press(Command5);  // "Очистить графики": both grids
    for (ControlId id : {Picture1, Picture2}) {
      const QString path = file(id == Picture1 ? "right.png" : "low.png");
      answers_->answers << path;
      item(id == Picture1 ? "savePicture1" : "savePicture2")->trigger();
      const QImage saved(path);
      PictureWidget* widget = w_->picture(id);
      const qreal ratio = w_->devicePixelRatioF();
      QCOMPARE(saved.width(), int(std::ceil(widget->width() * ratio)));
      QCOMPARE(saved.height(), int(std::ceil(widget->height() * ratio)));
      QCOMPARE(pixels(saved), pixels(widget->canvas().image()));
      // Printed at the size it has on the screen.
      const qreal dpi = w_->logicalDpiX() * ratio;
      QVERIFY(std::abs(saved.dotsPerMeterX() * 0.0254 - dpi) < 0.1);
    }
    QVERIFY(noted_.messages.isEmpty());
  }

  void aFailedWriteSaysWhichFileAndWhy_data() {
    // Under the test's folder: "folder.lumet" is a folder, "full.png" and
    // "full.csv" are links to /dev/full, "missing" is not there.
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::newRow("set-up in a folder") << QString("saveSetup") << QString("folder.lumet")
                                        << q("Не удалось сохранить установку «folder.lumet»: "
                                             "это папка, а не файл.");
    QTest::newRow("picture, disk full") << QString("savePicture1") << QString("full.png")
                                        << q("Не удалось сохранить рисунок «full.png»: "
                                             "нет места на диске.");
    QTest::newRow("table, disk full") << QString("saveResults") << QString("full.csv")
                                      << q("Не удалось сохранить таблицу результатов «full.csv»: "
                                           "нет места на диске.");
    QTest::newRow("no such folder")
        << QString("savePicture2") << QString("missing/low.png")
        << q("Не удалось сохранить рисунок «low.png»: нет такого файла или папки.");
  }
  void aFailedWriteSaysWhichFileAndWhy() {
    QFETCH(QString, which);
    QFETCH(QString, target);
    QFETCH(QString, message);
    QVERIFY(QDir().mkdir(file("folder.lumet")));
    for (const char* name : {"full.png", "full.csv"}) QVERIFY(QFile::link("/dev/full", file(name)));
    const QStringList before = state();
    answers_->answers << file(target);
    item(qPrintable(which))->trigger();
    QCOMPARE(noted_.messages, QStringList{message});
    QVERIFY(noted_.questions.isEmpty());
    QCOMPARE(state(), before);
    QCOMPARE(
        QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
        3);
  }

  // A file that exists is replaced only when the user says so.
  void anExistingFileIsReplacedOnlyOnYes() {
    const QString path = file("r.csv");
    write(path, "kept");
    noted_.answers = {false, true};
    answers_->answers << path << path;
    item("saveResults")->trigger();
    QCOMPARE(noted_.questions, QStringList{q("Файл «r.csv» уже есть. Заменить его?")});
    QCOMPARE(contents(path), QByteArray("kept"));
    item("saveResults")->trigger();
    QCOMPARE(noted_.questions.size(), 2);
    QCOMPARE(contents(path).toStdString(), resultsCsv(resultTable(x())));
    QVERIFY(noted_.messages.isEmpty());
  }

  void theClipboardTakesTheTableTabSeparated() {
    writeValue(V::T1, 6.39);
    writeValue(V::ColMV2, 1.5);
    QGuiApplication::clipboard()->clear();
    item("copyResults")->trigger();
    const QString text = QGuiApplication::clipboard()->text();
    QCOMPARE(text.toStdString(), resultsTable(resultTable(x()), '\t', "\n"));
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 6);
    for (const QString& line : lines) QCOMPARE(line.count('\t'), 8);
    QVERIFY(lines[1].startsWith("1\t0\t6.39\t"));
    QVERIFY(lines[2].startsWith("2\t0\t\t1.5\t"));
  }

  void aboutAndExitActAsTheirButtons() {
    item("about")->trigger();
    QVERIFY(w_->about());
    QPointer<AboutWindow> about = w_->about();
    w_->press(Command1);
    item("exit")->trigger();
    QVERIFY(!w_->isVisible());
    QVERIFY(!w_->timer().isActive());
    QTRY_VERIFY(!about);
  }

  // A box of an opened set-up shows its text as typed, even where a number
  // the laboratory wrote would be rounded to fit.
  void anOpenedBoxShowsItsTextAsTypedAndDropsAStaleFlag() {
    const QString path = file("long.lumet");
    write(path, R"({"format": "lumet-setup", "version": 1,
                   "controls": {"Text9": "-6378000.000000000001", "Text7": "abc"}})");
    // Boxes flagged for what they held before: the set-up's usable text
    // clears the flag, its unusable one keeps it.
    x().flagged[size_t(P::Xn)] = true;
    x().flagged[size_t(P::VXn)] = true;
    answers_->answers << path;
    item("openSetup")->trigger();
    auto* box = qobject_cast<QLineEdit*>(w_->control(Text9));
    QCOMPARE(box->text(), QString("-6378000.000000000001"));
    QVERIFY(!box->toolTip().contains(q("Полностью")));
    QCOMPARE(qobject_cast<QLineEdit*>(w_->control(Text7))->text(), QString("abc"));
    QVERIFY(!form().flagged(Text9));
    QVERIFY(form().flagged(Text7));
  }

  // Qt's own dialog, answered as a user answers it: Russian words, the
  // filter, a name typed without its suffix.
  void qtsOwnDialogAsksInRussianAndAddsTheSuffix() {
    w_->documents().setChooser(std::make_unique<FileChooser>());
    QStringList seen;
    auto answer = [&](const QString& name) {
      QTimer::singleShot(0, this, [&, name] {
        QFileDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())));
        seen << dialog->windowTitle() << dialog->nameFilters()
             << dialog->labelText(QFileDialog::Accept) << dialog->labelText(QFileDialog::Reject)
             << dialog->labelText(QFileDialog::FileName);
        dialog->setDirectory(dir_->path());
        dialog->selectFile(name);
        static_cast<QDialog*>(dialog)->accept();  // as "Сохранить" or "Открыть" does
      });
    };
    answer("lesson");
    item("saveSetup")->trigger();
    QCOMPARE(seen, QStringList({q("Сохранить установку"), q("Установки Lumet (*.lumet)"),
                                q("Сохранить"), q("Отмена"), q("Имя файла:")}));
    QCOMPARE(contents(file("lesson.lumet")).toStdString(), setupText(captureSetup(x())));
    seen.clear();
    answer(file("lesson.lumet"));
    item("openSetup")->trigger();
    QCOMPARE(seen.mid(0, 3),
             QStringList({q("Открыть установку"), q("Установки Lumet (*.lumet)"), q("Открыть")}));
    QCOMPARE(w_->windowTitle(), q("Lumet1R — lesson.lumet"));
    QVERIFY(noted_.messages.isEmpty());
  }
};

QTEST_MAIN(MenusTest)
#include "menus_test.moc"
