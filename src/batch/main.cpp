// lumet-batch: drives the laboratory from a script, one command a line,
// without a display. Message boxes and questions are written to standard
// output; pictures can be saved as PNG.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iostream>
#include <optional>
#include <streambuf>
#include <string>

#include "batch/names.h"
#include "batch/runner.h"
#include "output/log_location.h"

using namespace lumet;

namespace {

// The longest script line: a longer one ends the run as soon as it passes
// the bound, without being read whole (a script of /dev/zero is one
// endless line).
constexpr size_t kMaxLine = size_t(1) << 20;

std::string executableDir() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string path(buf, size_t(n));
  auto slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// A closed standard input, output or error is held open on /dev/null the
// other way round, so that reading or writing it still fails (EBADF) and no
// file the run opens takes its number: a log opened as descriptor 1 would
// receive the printed lines.
void holdStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int held = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
}

// Standard output, written with write() so that a failed write is noticed
// with its reason: the stream turns bad, and error() tells why.
class OutputBuffer : public std::streambuf {
 public:
  OutputBuffer() { setp(buf_, buf_ + sizeof buf_); }
  int error() const { return err_; }

 protected:
  int overflow(int ch) override {
    if (sync() != 0) return traits_type::eof();
    if (ch != traits_type::eof()) {
      *pptr() = char(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override {
    std::string_view pending(pbase(), size_t(pptr() - pbase()));
    setp(buf_, buf_ + sizeof buf_);
    while (err_ == 0 && !pending.empty()) {
      const ssize_t n = ::write(1, pending.data(), pending.size());
      if (n < 0 && errno != EINTR) err_ = errno;
      if (n > 0) pending.remove_prefix(size_t(n));
    }
    return err_ == 0 ? 0 : -1;
  }

 private:
  char buf_[1 << 14];
  int err_ = 0;
};

OutputBuffer outputBuffer;
std::ostream output(&outputBuffer);

// Ends the program with status, once what it printed has reached standard
// output: a write or the close that fails is told and ends it with 2.
int finish(int status) {
  output.flush();
  int err = outputBuffer.error();
  if (err == 0 && ::close(1) != 0) err = errno;
  if (err == 0) return status;
  std::cerr << "lumet-batch: cannot write standard output: " << std::strerror(err) << '\n';
  return 2;
}

// The script's lines, read in blocks from a descriptor.
class ScriptReader {
 public:
  explicit ScriptReader(int fd) : fd_(fd) {}
  enum Got { kLine, kEnd, kTooLong, kFailed };
  // The next line without its line feed; kFailed with error() set when a
  // read fails.
  Got next(std::string& line) {
    line.clear();
    for (;;) {
      if (pos_ == len_) {
        if (ended_) return line.empty() ? kEnd : kLine;
        const ssize_t n = ::read(fd_, buf_, sizeof buf_);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
          err_ = errno;
          return kFailed;
        }
        ended_ = n == 0;
        pos_ = 0;
        len_ = size_t(n);
        continue;
      }
      const char* from = buf_ + pos_;
      const auto* feed = static_cast<const char*>(std::memchr(from, '\n', len_ - pos_));
      const size_t take = feed ? size_t(feed - from) : len_ - pos_;
      if (line.size() + take > kMaxLine) return kTooLong;
      line.append(from, take);
      pos_ += take + (feed ? 1 : 0);
      if (feed) return kLine;
    }
  }
  int error() const { return err_; }

 private:
  int fd_;
  char buf_[1 << 16];
  size_t pos_ = 0, len_ = 0;
  bool ended_ = false;
  int err_ = 0;
};

// --jobs N (1 or more) or --part K/N (1 ≤ K ≤ N); what is wrong otherwise.
std::optional<std::string> seriesOption(const std::string& option, const std::string& value,
                                        int& jobs, SeriesPart& part) {
  auto whole = [](const std::string& text) -> std::optional<int> {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    return std::stoi(text);
  };
  if (option == "--jobs") {
    const auto n = whole(value);
    if (!n || *n < 1) return "--jobs takes a number of threads, 1 or more";
    jobs = *n;
    return std::nullopt;
  }
  const size_t slash = value.find('/');
  const auto k = whole(value.substr(0, slash));
  const auto n = slash == std::string::npos ? std::nullopt : whole(value.substr(slash + 1));
  if (!k || !n || *k < 1 || *k > *n) return "--part takes K/N with 1 <= K <= N";
  part = SeriesPart{*k, *n};
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  holdStandardDescriptors();
  std::optional<std::string> logDir;
  Language language = Language::ru;
  std::string script;
  int jobs = 0;
  SeriesPart part;
  for (int k = 1; k < argc; ++k) {
    std::string a = argv[k];
    if (a == "--log-dir" && k + 1 < argc) {
      logDir = argv[++k];
    } else if (a == "--jobs" || a == "--part") {
      const std::optional<std::string> problem =
          k + 1 < argc ? seriesOption(a, argv[++k], jobs, part) : a + " takes a value";
      if (problem) {
        std::cerr << "lumet-batch: " << *problem << '\n';
        return 2;
      }
    } else if (a == "--lang" && k + 1 < argc && languageByCode(argv[k + 1])) {
      language = *languageByCode(argv[++k]);
    } else if (a == "--names" || a == "--names=roff") {
      output << batch::namesTable(a == "--names" ? batch::NamesFormat::Markdown
                                                 : batch::NamesFormat::Roff);
      return finish(0);
    } else if (a == "--version") {
      output << "lumet-batch " LUMET_VERSION "\n";
      return finish(0);
    } else if (a == "--help") {
      output
          << "usage: lumet-batch [--log-dir DIR] [--lang ru|en] [--jobs N] [--part K/N] [SCRIPT]\n"
             "Runs the Lumet laboratory without a display from SCRIPT (or standard input),\n"
             "one command a line: set NAME TEXT, check NAME 0|1, select NAME, click NAME,\n"
             "tick [N], answer yes|no, print NAME..., save NAME FILE, open FILE,\n"
             "save setup FILE, save results FILE, speed N, series NAME FROM TO COUNT [log],\n"
             "limit SECONDS, save series FILE. See lumet-batch(1).\n\n"
             "  --log-dir DIR  write the run log lumet.dat in DIR; without it the log goes\n"
             "                 to the program's folder when it takes new files and is\n"
             "                 not under /usr, otherwise to the user's data folder\n"
             "                 (~/.local/share/Lumet)\n"
             "  --lang ru|en   print the messages and the manual in Russian (the\n"
             "                 default) or in English; commands, printed values and\n"
             "                 files are the same in both\n"
             "  --jobs N       run a series on N threads (default: every core)\n"
             "  --part K/N     make only the runs r of a series with (r - 1) mod N = K - 1,\n"
             "                 so that N processes share it; their rows, merged and sorted\n"
             "                 by the run column, are the whole series\n"
             "  --names        list the names of the parameters and shown values, with\n"
             "                 their captions, units, boxes and meanings (Markdown;\n"
             "                 --names=roff for a manual page)\n"
             "  --help         show this help and exit\n"
             "  --version      show the version and exit\n";
      return finish(0);
    } else if (a.rfind("--", 0) == 0 || !script.empty()) {
      std::cerr << "usage: lumet-batch [--log-dir DIR] [--lang ru|en] [--jobs N] [--part K/N] "
                   "[SCRIPT]\n";
      return 2;
    } else {
      script = a;
    }
  }
  int fd = 0;
  const std::string source = script.empty() ? "standard input" : script;
  if (!script.empty() && (fd = ::open(script.c_str(), O_RDONLY | O_CLOEXEC)) < 0) {
    std::cerr << "lumet-batch: cannot read " << script << ": " << std::strerror(errno) << '\n';
    return finish(2);
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
  batch::Runner runner(*logDir, output);
  runner.setLanguage(language);
  runner.setSeriesOptions(jobs, part, ::isatty(2) == 1);
  ScriptReader in(fd);
  std::string line;
  long number = 0;
  for (;;) {
    const ScriptReader::Got got = in.next(line);
    if (got == ScriptReader::kEnd) break;
    if (got == ScriptReader::kFailed) {
      std::cerr << "lumet-batch: cannot read " << source << ": " << std::strerror(in.error())
                << '\n';
      return finish(2);
    }
    ++number;
    if (got == ScriptReader::kTooLong) {
      std::cerr << "lumet-batch: line " << number << ": line longer than 1 MiB\n";
      return finish(2);
    }
    // A byte order mark, which some editors put before UTF-8, is not a command.
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      const bool goOn = runner.run(line);
      if (const int err = outputBuffer.error()) {
        std::cerr << "lumet-batch: line " << number
                  << ": cannot write standard output: " << std::strerror(err) << '\n';
        return 2;
      }
      if (!goOn) break;
    } catch (const batch::ScriptError& e) {
      output.flush();
      std::cerr << "lumet-batch: line " << number << ": " << e.what << '\n';
      return finish(2);
    }
  }
  return finish(0);
}
