// The window in each of its languages: walked through every widget, menu,
// tooltip and dialog (messages, a question, the file dialogs, the About
// window, a box's context menu), the English window shows no Cyrillic
// letter and the Russian one no Latin word beyond the names of units and
// symbols. The menu "Язык / Language" is the same in both and is left out.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/about_window.h"
#include "gui/main_window.h"
#include "gui/series_dialog.h"
#include "gui/status_line.h"
#include "window_fixture.h"

using namespace lumet;

namespace {

// Every text a widget shows or tells: caption, title, text, items, tooltip,
// status tip, and those of its actions (a menu's items).
void textsOf(QWidget* w, QStringList& out) {
  if (w->objectName() == "languageMenu") return;
  out << w->toolTip() << w->statusTip() << w->whatsThis();
  if (w->isWindow()) out << w->windowTitle();
  if (auto* l = qobject_cast<QLabel*>(w)) out << l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) out << b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) out << g->title();
  if (auto* e = qobject_cast<QLineEdit*>(w)) out << e->text() << e->placeholderText();
  if (auto* t = qobject_cast<QPlainTextEdit*>(w)) out << t->toPlainText();
  if (auto* c = qobject_cast<QComboBox*>(w))
    for (int k = 0; k < c->count(); ++k) out << c->itemText(k);
  if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model())
    for (int k = 0; k < h->count(); ++k)
      out << h->model()->headerData(k, h->orientation()).toString();
  for (QAction* a : w->actions()) {
    if (a->menu() && a->menu()->objectName() == "languageMenu") continue;
    out << a->text() << a->toolTip() << a->statusTip();
  }
}

QStringList walk(QWidget* top) {
  QStringList out;
  textsOf(top, out);
  for (QWidget* w : top->findChildren<QWidget*>()) textsOf(w, out);
  return out;
}

}  // namespace

class LanguageTest : public test::WindowFixture {
  Q_OBJECT

 private:
  int dialogs_ = 0;  // the dialogs walked

  // Walks the modal dialog that `open` opens, then closes it (a question
  // answered "No").
  QStringList walkDialog(const std::function<void()>& open) {
    QStringList texts;
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || seen) return;
      seen = true;
      texts = walk(dialog);
      if (qobject_cast<QMessageBox*>(dialog))
        dialog->done(QMessageBox::No);
      else
        dialog->reject();
    });
    poll.start();
    open();
    poll.stop();
    dialogs_ += seen;
    return texts;
  }

  // Everything the window, its menus, its dialogs and the About window show.
  QStringList walkEverything() {
    QStringList texts;
    dialogs_ = 0;
    // A ready experiment's title and description in the status line.
    const QString race = QString(LUMET_SOURCE_DIR) + "/examples/race.lumet";
    w_->documents().openExample(race);
    texts << walk(w_.get());
    // A context menu of a box, Qt's own.
    QMenu* menu = static_cast<QLineEdit*>(w_->control(Text1))->createStandardContextMenu();
    texts << walk(menu);
    delete menu;
    // A message (the start refuses a mass that is not a number) and a
    // question (the light at its first boundary).
    form().type(Text1, "x");
    texts << walkDialog([this] { w_->press(Command1); });
    form().type(Text1, "1e-21");
    form().type(Text9, "-9");
    form().type(Text19, "10");
    texts << walkDialog([this] { w_->press(Command11); });
    // The file dialogs, to open and to save.
    texts << walkDialog([this] { w_->documents().chooseAndOpen(); });
    texts << walkDialog([this] { w_->documents().saveResults(); });
    // The series dialog, which stands beside the window.
    SeriesDialog* series = SeriesDialog::open(*w_);
    texts << walk(series);
    series->close();
    // The manual.
    w_->press(Command6);
    texts << walk(w_->about());
    // Paths and names of this machine's files are not texts of the window.
    texts.replaceInStrings(QString::fromStdString(x().logDir), "");
    texts.replaceInStrings("race", "");
    texts.replaceInStrings(QDir::home().dirName(), "");
    texts.removeAll(QString());
    // Two messages and two file dialogs were walked, and the About window.
    if (dialogs_ != 4 || !w_->about()) texts << "(a dialog did not open: диалог не открылся)";
    return texts;
  }

  // Symbols and units: the names and captions of the parameters, values
  // and actions, and the few Latin words of the Russian window itself.
  static QSet<QString> symbols() {
    QSet<QString> out = {"Lumet", "Lumet1R", "About", "File",  "PNG",   "CSV",
                         "lumet", "dat",     "csv",   "png",   "const", "var",
                         "cos",   "sin",     "gamma", "local", "share", "Ctrl"};
    const QRegularExpression word("[A-Za-z][A-Za-z0-9_]*");
    auto add = [&](const char* s) {
      for (const auto& m : word.globalMatch(QString::fromUtf8(s))) out << m.captured();
    };
    for (const ParamRow& r : parameterTable()) {
      add(r.name), add(r.caption.ru);
      for (const ChoiceRow& c : r.choices) add(c.word), add(c.caption.ru);
    }
    for (const ValueRow& r : valueTable()) add(r.name), add(r.caption.ru);
    for (const ActionRow& r : actionTable()) add(r.caption.ru);
    return out;
  }

 private slots:
  void initTestCase() { redirectSettings(); }
  void init() { openWindow(true); }
  void cleanup() { closeWindow(); }

  // English, chosen in the menu once: every text at once, and remembered.
  void theEnglishWindowShowsNoCyrillicLetter() {
    auto* english = w_->menuBar()->findChild<QAction*>("language_en");
    QVERIFY(english);
    english->trigger();
    QCOMPARE(w_->language(), Language::en);
    QCOMPARE(rememberedLanguage(), Language::en);
    QStringList cyrillic;
    const QRegularExpression letter("[\\x{0400}-\\x{04FF}]");
    for (const QString& t : walkEverything())
      if (t.contains(letter)) cyrillic << t.left(120);
    QVERIFY2(cyrillic.isEmpty(), qPrintable(cyrillic.join(" | ")));
  }

  // Russian, the default: no Latin word but symbols and units (X30, Kj1,
  // m1 ...: a short symbol, or a name of the tables).
  void theRussianWindowShowsNoLatinWordBeyondSymbols() {
    QCOMPARE(w_->language(), Language::ru);
    const QSet<QString> allowed = symbols();
    const QRegularExpression word("[A-Za-z][A-Za-z0-9_]*");
    QSet<QString> foreign;
    for (const QString& t : walkEverything())
      for (const auto& m : word.globalMatch(t)) {
        const QString w = m.captured();
        const qsizetype letters = w.count(QRegularExpression("[A-Za-z]"));
        if (letters > 3 && !allowed.contains(w)) foreign << w;
      }
    QVERIFY2(foreign.isEmpty(), qPrintable(QStringList(foreign.begin(), foreign.end()).join(" ")));
  }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
