#include "gui/menus.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "gui/main_window.h"

namespace lumet {

namespace {

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
  bar->addMenu(makeSpeedMenu(window, bar));
  return bar;
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
