#include "gui/menus.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "gui/examples.h"
#include "gui/main_window.h"

namespace lumet {

namespace {

QString qstr(const char* s) { return QString::fromUtf8(s); }

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
    {"openSetup", "Открыть установку…", QKeySequence(Qt::CTRL | Qt::Key_O),
     "Открыть опыт, сохранённый в файле .lumet",
     [](MainWindow& w) { w.documents().chooseAndOpen(); }},
    {"saveSetup", "Сохранить установку…", QKeySequence(Qt::CTRL | Qt::Key_S),
     "Сохранить все параметры опыта в файл .lumet",
     [](MainWindow& w) { w.documents().saveSetup(); }},
    {"setupProperties",
     "Свойства установки…",
     {},
     "Название и описание опыта, которые сохраняются вместе с установкой",
     [](MainWindow& w) { w.documents().editProperties(); }},
    {"savePicture1",
     "Сохранить правый рисунок…",
     {},
     "Сохранить правый рисунок как PNG",
     [](MainWindow& w) { w.documents().savePicture(Picture1); }},
    {"savePicture2",
     "Сохранить нижний рисунок…",
     {},
     "Сохранить нижний рисунок как PNG",
     [](MainWindow& w) { w.documents().savePicture(Picture2); }},
    {"saveResults",
     "Сохранить таблицу результатов…",
     {},
     "Сохранить время и интегралы траекторий как таблицу CSV",
     [](MainWindow& w) { w.documents().saveResults(); }},
    {nullptr, nullptr, {}, nullptr, nullptr},
    {"exit",
     "Выход",
     {},
     "Закончить работу с лабораторией",
     [](MainWindow& w) { w.press(Command4); }},
};

const Item kEditItems[] = {
    {"copyResults",
     "Копировать таблицу результатов",
     {},
     "Время и интегралы траекторий в буфер обмена, для электронной таблицы",
     [](MainWindow& w) { w.documents().copyResults(); }},
};

const Item kHelpItems[] = {
    {"about",
     "About",
     {},
     "Руководство по работе с лабораторией",
     [](MainWindow& w) { w.press(Command6); }},
};

// A menu of items; an item without a name is a separator.
template <size_t N>
QMenu* makeMenu(MainWindow& window, QWidget* parent, const char* name, const char* title,
                const Item (&items)[N]) {
  auto* menu = new QMenu(qstr(title), parent);
  menu->setObjectName(name);
  for (const Item& item : items) {
    if (!item.name) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(qstr(item.text));
    action->setObjectName(item.name);
    action->setShortcut(item.key);
    action->setStatusTip(qstr(item.tip));
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

const SpeedItem kSpeedItems[] = {
    {Speed::x1, "×1", Qt::CTRL | Qt::Key_1, "Один шаг решения за такт таймера (1 мс)"},
    {Speed::x10, "×10", Qt::CTRL | Qt::Key_2, "10 шагов решения за такт таймера"},
    {Speed::x100, "×100", Qt::CTRL | Qt::Key_3, "100 шагов решения за такт таймера"},
    {Speed::x1000, "×1000", Qt::CTRL | Qt::Key_4, "1000 шагов решения за такт таймера"},
    {Speed::Max, "Максимум", Qt::CTRL | Qt::Key_0,
     "Столько шагов решения, сколько успевает компьютер"},
};

}  // namespace

QMenuBar* makeMenuBar(MainWindow& window) {
  auto* bar = new QMenuBar(&window);
  bar->setObjectName("menuBar");
  bar->addMenu(makeFileMenu(window, bar));
  bar->addMenu(makeEditMenu(window, bar));
  bar->addMenu(makeExperimentsMenu(window, bar));
  bar->addMenu(makeSpeedMenu(window, bar));
  bar->addMenu(makeHelpMenu(window, bar));
  return bar;
}

QMenu* makeFileMenu(MainWindow& window, QWidget* parent) {
  return makeMenu(window, parent, "fileMenu", "Файл", kFileItems);
}

QMenu* makeEditMenu(MainWindow& window, QWidget* parent) {
  return makeMenu(window, parent, "editMenu", "Правка", kEditItems);
}

QMenu* makeHelpMenu(MainWindow& window, QWidget* parent) {
  return makeMenu(window, parent, "helpMenu", "Справка", kHelpItems);
}

QMenu* makeExperimentsMenu(MainWindow& window, QWidget* parent) {
  auto* menu = new QMenu(qstr("Опыты"), parent);
  menu->setObjectName("experimentsMenu");
  const auto examples = findExamples(exampleFolders(QCoreApplication::applicationDirPath()));
  for (const Example& e : examples) {
    // An "&" of a title is shown, not taken for a key to the item.
    QAction* action = menu->addAction(QString(e.title).replace('&', "&&"));
    action->setObjectName("example_" + QFileInfo(e.path).completeBaseName());
    action->setStatusTip(e.description);
    const QString path = e.path;
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, path] { window.documents().openExample(path); });
  }
  if (examples.empty()) menu->addAction(qstr("Готовые опыты не найдены"))->setEnabled(false);
  return menu;
}

QMenu* makeSpeedMenu(MainWindow& window, QWidget* parent) {
  auto* menu = new QMenu(QString::fromUtf8("Скорость"), parent);
  menu->setObjectName("speedMenu");
  menu->setToolTipsVisible(true);
  auto* group = new QActionGroup(menu);
  group->setExclusive(true);
  for (const SpeedItem& item : kSpeedItems) {
    QAction* action = menu->addAction(QString::fromUtf8(item.text));
    action->setObjectName(QString("speed_") + speedName(item.speed));
    action->setShortcut(QKeySequence(item.key));
    action->setToolTip(QString::fromUtf8(item.tip));
    action->setCheckable(true);
    action->setChecked(window.speed() == item.speed);
    group->addAction(action);
    const Speed speed = item.speed;
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, speed] { window.setSpeed(speed); });
  }
  return menu;
}

}  // namespace lumet
