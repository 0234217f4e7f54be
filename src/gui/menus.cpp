#include "gui/menus.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "gui/examples.h"
#include "gui/handles.h"
#include "gui/main_window.h"
#include "gui/series_dialog.h"
#include "gui/undo.h"
#include "model/messages.h"

namespace lumet {

namespace {

// The menus' texts, English in the source, in the window's language.
QString menuText(const char* s) { return QCoreApplication::translate("Menus", s); }

// An item of a menu: its object name, text, shortcut, status tip and what
// it does.
struct Item {
  const char* name;
  const char* text;
  QKeySequence key;
  const char* tip;
  void (*act)(MainWindow&);
};

const Item kFileItems[] = {
    {"openSetup", QT_TRANSLATE_NOOP("Menus", "Open set-up…"), QKeySequence(Qt::CTRL | Qt::Key_O),
     QT_TRANSLATE_NOOP("Menus", "Open an experiment saved in a .lumet file"),
     [](MainWindow& w) { w.documents().chooseAndOpen(); }},
    {"saveSetup", QT_TRANSLATE_NOOP("Menus", "Save set-up…"), QKeySequence(Qt::CTRL | Qt::Key_S),
     QT_TRANSLATE_NOOP("Menus", "Save every parameter of the experiment in a .lumet file"),
     [](MainWindow& w) { w.documents().saveSetup(); }},
    {"setupProperties",
     QT_TRANSLATE_NOOP("Menus", "Set-up properties…"),
     {},
     QT_TRANSLATE_NOOP("Menus",
                       "The title and description of the experiment, saved with the set-up"),
     [](MainWindow& w) { w.documents().editProperties(); }},
    {"savePicture1",
     QT_TRANSLATE_NOOP("Menus", "Save right picture…"),
     {},
     QT_TRANSLATE_NOOP("Menus", "Save the right picture as PNG"),
     [](MainWindow& w) { w.documents().savePicture(Picture1); }},
    {"savePicture2",
     QT_TRANSLATE_NOOP("Menus", "Save lower picture…"),
     {},
     QT_TRANSLATE_NOOP("Menus", "Save the lower picture as PNG"),
     [](MainWindow& w) { w.documents().savePicture(Picture2); }},
    {"saveResults",
     QT_TRANSLATE_NOOP("Menus", "Save result table…"),
     {},
     QT_TRANSLATE_NOOP("Menus", "Save the trajectories' times and integrals as a CSV table"),
     [](MainWindow& w) { w.documents().saveResults(); }},
    {nullptr, nullptr, {}, nullptr, nullptr},
    {"exit",
     QT_TRANSLATE_NOOP("Menus", "Exit"),
     {},
     QT_TRANSLATE_NOOP("Menus", "End the work with the laboratory"),
     [](MainWindow& w) { w.press(Command4); }},
};

const Item kEditItems[] = {
    {"copyResults",
     QT_TRANSLATE_NOOP("Menus", "Copy result table"),
     {},
     QT_TRANSLATE_NOOP("Menus",
                       "The trajectories' times and integrals to the clipboard, for a spreadsheet"),
     [](MainWindow& w) { w.documents().copyResults(); }},
    {nullptr, nullptr, {}, nullptr, nullptr},
    {"undo", QT_TRANSLATE_NOOP("Menus", "Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
     QT_TRANSLATE_NOOP("Menus", "Take back the last change of the set-up"),
     [](MainWindow& w) { w.undo().undo(); }},
    {"redo", QT_TRANSLATE_NOOP("Menus", "Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
     QT_TRANSLATE_NOOP("Menus", "Make the change taken back again"),
     [](MainWindow& w) { w.undo().redo(); }},
    {"defaults",
     QT_TRANSLATE_NOOP("Menus", "Default values"),
     {},
     QT_TRANSLATE_NOOP("Menus", "Every parameter back at its default value"),
     [](MainWindow& w) { w.undo().defaults(); }},
};

const Item kViewItems[] = {
    {"fit", QT_TRANSLATE_NOOP("Menus", "Fit"), QKeySequence(Qt::CTRL | Qt::Key_F),
     QT_TRANSLATE_NOOP("Menus",
                       "Scales Mx, M and Mt at which the start, the end, the rods and what is "
                       "plotted fit the pictures"),
     [](MainWindow& w) { w.fit(); }},
    {nullptr, nullptr, {}, nullptr, nullptr},
    {"zoomInPlane", QT_TRANSLATE_NOOP("Menus", "Right picture: closer"),
     QKeySequence(Qt::CTRL | Qt::Key_Equal), QT_TRANSLATE_NOOP("Menus", "Mx divided by 1.25"),
     [](MainWindow& w) { w.layer(Picture1)->zoom(-1); }},
    {"zoomOutPlane", QT_TRANSLATE_NOOP("Menus", "Right picture: farther"),
     QKeySequence(Qt::CTRL | Qt::Key_Minus), QT_TRANSLATE_NOOP("Menus", "Mx times 1.25"),
     [](MainWindow& w) { w.layer(Picture1)->zoom(1); }},
    {"zoomInTime", QT_TRANSLATE_NOOP("Menus", "Lower picture: time closer"),
     QKeySequence(Qt::CTRL | Qt::Key_BracketRight),
     QT_TRANSLATE_NOOP("Menus", "Mt divided by 1.25"),
     [](MainWindow& w) { w.layer(Picture2)->zoom(-1); }},
    {"zoomOutTime", QT_TRANSLATE_NOOP("Menus", "Lower picture: time farther"),
     QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), QT_TRANSLATE_NOOP("Menus", "Mt times 1.25"),
     [](MainWindow& w) { w.layer(Picture2)->zoom(1); }},
    {"zoomInValues", QT_TRANSLATE_NOOP("Menus", "Lower picture: values closer"),
     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketRight),
     QT_TRANSLATE_NOOP("Menus", "M divided by 1.25"),
     [](MainWindow& w) { w.layer(Picture2)->zoom(-1, true); }},
    {"zoomOutValues", QT_TRANSLATE_NOOP("Menus", "Lower picture: values farther"),
     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketLeft),
     QT_TRANSLATE_NOOP("Menus", "M times 1.25"),
     [](MainWindow& w) { w.layer(Picture2)->zoom(1, true); }},
};

const Item kHelpItems[] = {
    {"about",
     QT_TRANSLATE_NOOP("Menus", "About"),
     {},
     QT_TRANSLATE_NOOP("Menus", "The manual of the laboratory"),
     [](MainWindow& w) { w.press(Command6); }},
};

// A menu of items; an item without a name is a separator.
template <size_t N>
QMenu* makeMenu(MainWindow& window, QWidget* parent, const char* name, const char* title,
                const Item (&items)[N]) {
  auto* menu = new QMenu(menuText(title), parent);
  menu->setObjectName(name);
  for (const Item& item : items) {
    if (!item.name) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(menuText(item.text));
    action->setObjectName(item.name);
    action->setShortcut(item.key);
    action->setStatusTip(menuText(item.tip));
    auto* act = item.act;
    QObject::connect(action, &QAction::triggered, &window, [&window, act] { act(window); });
  }
  return menu;
}

struct SpeedItem {
  Speed speed;
  const char* text;
  QKeyCombination key;
  const char* tip;
};

// The paced speeds stand above the counted ones, a separator between.
const SpeedItem kSpeedItems[] = {
    {Speed::Real, QT_TRANSLATE_NOOP("Menus", "Real time"), Qt::CTRL | Qt::Key_5,
     QT_TRANSLATE_NOOP("Menus", "One second of model time per second of the clock")},
    {Speed::Slow10, QT_TRANSLATE_NOOP("Menus", "Slow motion ×0.1"), Qt::CTRL | Qt::Key_6,
     QT_TRANSLATE_NOOP("Menus", "A tenth of a second of model time per second of the clock")},
    {Speed::Slow100, QT_TRANSLATE_NOOP("Menus", "Slow motion ×0.01"), Qt::CTRL | Qt::Key_7,
     QT_TRANSLATE_NOOP("Menus", "A hundredth of a second of model time per second of the clock")},
    {Speed::x1, "×1", Qt::CTRL | Qt::Key_1,
     QT_TRANSLATE_NOOP("Menus", "One step of the solution per tick of the timer (1 ms)")},
    {Speed::x10, "×10", Qt::CTRL | Qt::Key_2,
     QT_TRANSLATE_NOOP("Menus", "10 steps of the solution per tick of the timer")},
    {Speed::x100, "×100", Qt::CTRL | Qt::Key_3,
     QT_TRANSLATE_NOOP("Menus", "100 steps of the solution per tick of the timer")},
    {Speed::x1000, "×1000", Qt::CTRL | Qt::Key_4,
     QT_TRANSLATE_NOOP("Menus", "1000 steps of the solution per tick of the timer")},
    {Speed::Max, QT_TRANSLATE_NOOP("Menus", "Maximum"), Qt::CTRL | Qt::Key_0,
     QT_TRANSLATE_NOOP("Menus", "As many steps of the solution as the computer manages")},
};

}  // namespace

QMenuBar* makeMenuBar(MainWindow& window) {
  auto* bar = new QMenuBar(&window);
  bar->setObjectName("menuBar");
  bar->addMenu(makeFileMenu(window, bar));
  bar->addMenu(makeEditMenu(window, bar));
  bar->addMenu(makeViewMenu(window, bar));
  bar->addMenu(makeExperimentsMenu(window, bar));
  bar->addMenu(makeSpeedMenu(window, bar));
  bar->addMenu(makeHelpMenu(window, bar));
  bar->addMenu(makeLanguageMenu(window, bar));
  return bar;
}

QMenu* makeFileMenu(MainWindow& window, QWidget* parent) {
  return makeMenu(window, parent, "fileMenu", QT_TRANSLATE_NOOP("Menus", "File"), kFileItems);
}

QMenu* makeEditMenu(MainWindow& window, QWidget* parent) {
  QMenu* menu =
      makeMenu(window, parent, "editMenu", QT_TRANSLATE_NOOP("Menus", "Edit"), kEditItems);
  // "Отменить" and "Повторить" are there while there is something to do.
  QUndoStack& stack = window.undo().stack();
  auto* undo = menu->findChild<QAction*>("undo");
  auto* redo = menu->findChild<QAction*>("redo");
  undo->setEnabled(stack.canUndo());
  redo->setEnabled(stack.canRedo());
  QObject::connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  QObject::connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  return menu;
}

QMenu* makeViewMenu(MainWindow& window, QWidget* parent) {
  return makeMenu(window, parent, "viewMenu", QT_TRANSLATE_NOOP("Menus", "View"), kViewItems);
}

QMenu* makeHelpMenu(MainWindow& window, QWidget* parent) {
  return makeMenu(window, parent, "helpMenu", QT_TRANSLATE_NOOP("Menus", "Help"), kHelpItems);
}

QMenu* makeExperimentsMenu(MainWindow& window, QWidget* parent) {
  auto* menu = new QMenu(menuText(QT_TRANSLATE_NOOP("Menus", "Experiments")), parent);
  menu->setObjectName("experimentsMenu");
  const Language language = window.language();
  const auto examples =
      findExamples(exampleFolders(QCoreApplication::applicationDirPath()), language);
  for (const Example& e : examples) {
    // An "&" of a title is shown, not taken for a key to the item.
    QAction* action = menu->addAction(QString(e.title).replace('&', "&&"));
    action->setObjectName("example_" + QFileInfo(e.path).completeBaseName());
    action->setStatusTip(e.description);
    const QString path = e.path;
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, path] { window.documents().openExample(path); });
  }
  if (examples.empty())
    menu->addAction(menuText(QT_TRANSLATE_NOOP("Menus", "No ready experiments found")))
        ->setEnabled(false);
  menu->addSeparator();
  QAction* series = menu->addAction(menuText(QT_TRANSLATE_NOOP("Menus", "Series of experiments…")));
  series->setObjectName("series");
  series->setStatusTip(menuText(QT_TRANSLATE_NOOP(
      "Menus", "Run the experiment for many values of one parameter: a table and a graph")));
  QObject::connect(series, &QAction::triggered, &window, [&window] { SeriesDialog::open(window); });
  return menu;
}

QMenu* makeSpeedMenu(MainWindow& window, QWidget* parent) {
  auto* menu = new QMenu(menuText(QT_TRANSLATE_NOOP("Menus", "Speed")), parent);
  menu->setObjectName("speedMenu");
  menu->setToolTipsVisible(true);
  auto* group = new QActionGroup(menu);
  group->setExclusive(true);
  for (const SpeedItem& item : kSpeedItems) {
    if (item.speed == Speed::x1) menu->addSeparator();
    QAction* action = menu->addAction(menuText(item.text));
    action->setObjectName(QString("speed_") + speedName(item.speed));
    action->setShortcut(QKeySequence(item.key));
    action->setToolTip(menuText(item.tip));
    action->setCheckable(true);
    action->setChecked(window.speed() == item.speed);
    group->addAction(action);
    const Speed speed = item.speed;
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, speed] { window.setSpeed(speed); });
  }
  return menu;
}

QMenu* makeLanguageMenu(MainWindow& window, QWidget* parent) {
  // The same in every language: whoever cannot read the window's language
  // still finds the way back to their own.
  const QString title = QString::fromStdString(textOf(Msg::Language, Language::ru) + " / " +
                                               textOf(Msg::Language, Language::en));
  auto* menu = new QMenu(title, parent);
  menu->setObjectName("languageMenu");
  auto* group = new QActionGroup(menu);
  group->setExclusive(true);
  for (Language language : kLanguages) {
    QAction* action = menu->addAction(QString::fromStdString(textOf(Msg::LanguageName, language)));
    action->setObjectName(QString("language_") + languageCode(language));
    action->setStatusTip(QString::fromStdString(textOf(Msg::LanguageTip, language)));
    action->setCheckable(true);
    action->setChecked(window.language() == language);
    group->addAction(action);
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, language] { window.chooseLanguage(language); });
  }
  return menu;
}

}  // namespace lumet
