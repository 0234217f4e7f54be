// Lumet: the interactive physics laboratory in its window.
#include <QApplication>

#include "gui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The run log lives beside the program.
  lumet::MainWindow window(QCoreApplication::applicationDirPath().toStdString());
  window.show();
  return app.exec();
}
