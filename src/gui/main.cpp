// Lumet: the interactive physics laboratory in its window.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "gui/main_window.h"
#include "output/log_location.h"

namespace {

// The user's data folder of Lumet (~/.local/share/Lumet); not created here.
QString dataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

void describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      "Lumet, the interactive physics laboratory: motion of a body in a field, the\n"
      "brachistochrone race, least time and least action. The window speaks Russian\n"
      "(the default) or English, as chosen in its menu Language or with --lang.\n\n"
      "The run log lumet.dat goes to the program's folder when it takes new files\n"
      "and is not under /usr, otherwise to the user's data folder\n  " +
      dataFolder() + "\n(created when needed). The window \"About\" names the folder in use.");
  parser.addOption(QCommandLineOption(
      "lang", "The window's language for this run: ru (Russian) or en (English).", "ru|en"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("file", "A set-up file (.lumet) to open in the window.",
                               "[FILE.lumet]");
}

// Whether the command line asks only for a text (help or version), which
// needs no display.
bool asksForText(int argc, char** argv) {
  for (int k = 1; k < argc; ++k) {
    const QString a = QString::fromLocal8Bit(argv[k]);
    if (a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version")
      return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setApplicationName("Lumet");
  QCoreApplication::setApplicationVersion(LUMET_VERSION);
  if (asksForText(argc, argv)) {
    // Answered without opening a display, so that it works in any terminal;
    // the parser prints the text and ends the program.
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    return 0;
  }
  QApplication app(argc, argv);
  // The menu entry lumet.desktop and its icon, once installed.
  QGuiApplication::setDesktopFileName("lumet");
  QApplication::setWindowIcon(QIcon::fromTheme("lumet"));
  QCommandLineParser parser;
  describe(parser);
  parser.process(app);

  std::optional<lumet::Language> language;
  if (parser.isSet("lang")) {
    language = lumet::languageByCode(parser.value("lang").toStdString());
    if (!language) {
      std::fprintf(stderr, "lumet: --lang takes ru or en, not %s\n",
                   qPrintable(parser.value("lang")));
      return 2;
    }
  }
  const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
  lumet::LogFolder log = lumet::chooseLogFolder(programDir, dataFolder().toStdString());
  if (log.path.empty()) {
    // The laboratory meets the failed writes itself, as in any unwritable folder.
    std::fprintf(stderr, "lumet: %s\n", log.problem.c_str());
    log.path = programDir;
  }
  lumet::MainWindow window(log.path, nullptr, language);
  window.show();
  // The set-up is opened once the window stands, so that a refused file's
  // message appears over the window, which keeps its defaults.
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1)
    std::fprintf(stderr, "lumet: one set-up at a time; only %s is opened\n",
                 qPrintable(files.first()));
  if (!files.isEmpty())
    QTimer::singleShot(0, &window,
                       [&window, file = files.first()] { window.documents().open(file); });
  return app.exec();
}
