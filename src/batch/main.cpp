// lumet-batch: drives the laboratory from a script, one command a line,
// without a display. Message boxes and questions are written to standard
// output; pictures can be saved as PNG.
#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <climits>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "batch/names.h"
#include "batch/runner.h"
#include "output/log_location.h"

using namespace lumet;

namespace {

std::string executableDir() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string path(buf, size_t(n));
  auto slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string> logDir;
  std::string script;
  for (int k = 1; k < argc; ++k) {
    std::string a = argv[k];
    if (a == "--log-dir" && k + 1 < argc) {
      logDir = argv[++k];
    } else if (a == "--names" || a == "--names=roff") {
      std::cout << batch::namesTable(a == "--names" ? batch::NamesFormat::Markdown
                                                    : batch::NamesFormat::Roff);
      return 0;
    } else if (a == "--version") {
      std::cout << "lumet-batch " LUMET_VERSION "\n";
      return 0;
    } else if (a == "--help") {
      std::cout << "usage: lumet-batch [--log-dir DIR] [SCRIPT]\n"
                   "Runs the Lumet laboratory without a display from SCRIPT (or standard input),\n"
                   "one command a line: set NAME TEXT, check NAME 0|1, select NAME, click NAME,\n"
                   "tick [N], answer yes|no, print NAME..., save NAME FILE, open FILE,\n"
                   "save setup FILE, save results FILE, speed N. See lumet-batch(1).\n\n"
                   "  --log-dir DIR  write the run log lumet.dat in DIR; without it the log goes\n"
                   "                 to the program's folder when it takes new files and is\n"
                   "                 not under /usr, otherwise to the user's data folder\n"
                   "                 (~/.local/share/Lumet)\n"
                   "  --names        list the names of the parameters and shown values, with\n"
                   "                 their captions, units, boxes and meanings (Markdown;\n"
                   "                 --names=roff for a manual page)\n"
                   "  --help         show this help and exit\n"
                   "  --version      show the version and exit\n";
      return 0;
    } else if (a.rfind("--", 0) == 0 || !script.empty()) {
      std::cerr << "usage: lumet-batch [--log-dir DIR] [SCRIPT]\n";
      return 2;
    } else {
      script = a;
    }
  }
  std::ifstream file;
  if (!script.empty()) {
    file.open(script, std::ios::binary);
    if (!file) {
      std::cerr << "lumet-batch: cannot read " << script << '\n';
      return 2;
    }
  }
  if (!logDir) {
    // Beside the program as the window does, or in the same data folder.
    QCoreApplication::setApplicationName("Lumet");
    std::string data =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    LogFolder chosen = chooseLogFolder(executableDir(), data);
    if (chosen.path.empty()) std::cerr << "lumet-batch: " << chosen.problem << '\n';
    logDir = chosen.path.empty() ? executableDir() : chosen.path;
  }
  std::istream& in = script.empty() ? std::cin : file;
  batch::Runner runner(*logDir, std::cout);
  std::string line;
  long number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      if (!runner.run(line)) break;
    } catch (const batch::ScriptError& e) {
      std::cout.flush();
      std::cerr << "lumet-batch: line " << number << ": " << e.what << '\n';
      return 2;
    }
  }
  return 0;
}
