// The window's menu bar above the form. Each menu is made by a function of
// its own and joins the bar in makeMenuBar, in the bar's order, in the
// window's language (a change of language makes the bar anew).
#pragma once

class QMenu;
class QMenuBar;
class QWidget;

namespace lumet {

class MainWindow;

// The menu bar of the window, with every menu in place.
QMenuBar* makeMenuBar(MainWindow& window);

// "Файл": open and save a set-up (Ctrl+O, Ctrl+S), save either picture as
// PNG and the result table as CSV, and "Выход", which the button does.
QMenu* makeFileMenu(MainWindow& window, QWidget* parent);
// "Правка": the result table on the clipboard, tab-separated; "Отменить"
// (Ctrl+Z) and "Повторить" (Ctrl+Shift+Z) of the set-up's history, and
// "Исходные значения".
QMenu* makeEditMenu(MainWindow& window, QWidget* parent);
// "Вид": "Вписать" (Ctrl+F) and the pictures' zoom from the keyboard.
QMenu* makeViewMenu(MainWindow& window, QWidget* parent);
// "Опыты": one item per ready experiment, its title the text and its
// description the status tip; choosing one opens it.
QMenu* makeExperimentsMenu(MainWindow& window, QWidget* parent);
// "Справка": "About", as the button does.
QMenu* makeHelpMenu(MainWindow& window, QWidget* parent);

// "Скорость": "Реальное время", "Замедленно ×0.1" and "Замедленно ×0.01"
// (Ctrl+5 … Ctrl+7), then ×1, ×10, ×100, ×1000 and "Максимум" (Ctrl+1 …
// Ctrl+4, Ctrl+0), one of them checked (the window's speed). A choice
// sets the window's speed, which takes effect at the next tick.
QMenu* makeSpeedMenu(MainWindow& window, QWidget* parent);

// "Язык / Language": "Русский" and "English", the same in every language,
// one of them checked; a choice takes effect at once and is remembered.
QMenu* makeLanguageMenu(MainWindow& window, QWidget* parent);

}  // namespace lumet
