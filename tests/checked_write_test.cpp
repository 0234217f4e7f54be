// The checked writes: every way a write fails is reported with its reason,
// and a failed append leaves nothing half-written. The tests run as root in
// CI, where permission bits stop no write: the read-only folder is tried in
// a forked child that has become the user "nobody"; the full disk is
// /dev/full, and a file that reaches its size limit (RLIMIT_FSIZE, in a
// forked child) fails half-way through a write.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/log_writes.h"
#include "output/csv.h"
#include "output/file_write.h"
#include "output/runlog.h"
#include "support.h"

namespace fs = std::filesystem;
using namespace lumet;

namespace {

struct Folder {
  std::string dir = test::tempDir();
  ~Folder() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::string operator/(const std::string& name) const { return dir + "/" + name; }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// Runs body in a forked child and returns the number it returned (0..255),
// or -1 when the child did not end by itself.
template <class Body>
int inChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Becomes the user "nobody" when running as root; false when that fails.
bool asOrdinaryUser() {
  if (getuid() != 0) return true;
  const passwd* pw = getpwnam("nobody");
  return pw && setgroups(0, nullptr) == 0 && setgid(pw->pw_gid) == 0 && setuid(pw->pw_uid) == 0;
}

constexpr int kChildNotReady = 250;

mode_t currentUmask() {
  const mode_t u = umask(0);
  umask(u);
  return u;
}

}  // namespace

TEST(CheckedWrite, EveryFailureSaysWhyAndLeavesNothingBehind) {
  struct Case {
    const char* what;
    std::string path;
    int append, save;  // the errors of appendToFile and writeFileAtomically
  };
  Folder f;
  fs::create_directory(f / "folder");
  std::ofstream(f / "plain") << "a file";
  fs::create_symlink("loop", f / "loop");
  ASSERT_EQ(mkfifo((f / "fifo").c_str(), 0600), 0);
  const Case cases[] = {
      {"a full disk", "/dev/full", ENOSPC, ENOSPC},
      {"a folder in the way", f / "folder", EISDIR, EISDIR},
      {"a folder named with a slash", f / "folder/", EISDIR, EISDIR},
      {"a folder that is not there", f / "missing/lumet.dat", ENOENT, ENOENT},
      {"a missing folder named with a slash", f / "missing/", EISDIR, ENOENT},
      {"a file where a folder should be", f / "plain/lumet.dat", ENOTDIR, ENOTDIR},
      {"a loop of symbolic links", f / "loop", ELOOP, ELOOP},
      // Neither waits for a reader that never comes.
      {"a FIFO without a reader", f / "fifo", ENXIO, ENOTSUP},
      {"no name", "", ENOENT, ENOENT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(appendToFile(c.path, "x\r\n"), c.append) << c.what;
    EXPECT_EQ(writeFileAtomically(c.path, "x\r\n"), c.save) << c.what;
  }
  EXPECT_EQ(f.entries(), (std::vector<std::string>{"fifo", "folder", "loop", "plain"}));
  EXPECT_TRUE(fs::is_empty(f / "folder"));
  EXPECT_EQ(test::readFile(f / "plain"), "a file");
  EXPECT_TRUE(fs::is_symlink(f / "loop"));
  EXPECT_TRUE(fs::is_fifo(f / "fifo"));
  // The device itself is written into, never replaced by a file.
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(CheckedWrite, AReadOnlyFolderRefusesAnOrdinaryUser) {
  Folder f;
  const std::string ro = f / "ro";
  fs::create_directory(ro);
  fs::permissions(f.dir, fs::perms(0755));
  fs::permissions(ro, fs::perms(0555));
  std::ofstream(ro + "/old.png") << "old";
  const auto as = [](auto write) {
    return inChild([&] { return asOrdinaryUser() ? write() : kChildNotReady; });
  };
  EXPECT_EQ(as([&] { return appendToFile(ro + "/lumet.dat", "x"); }), EACCES);
  EXPECT_EQ(as([&] { return writeFileAtomically(ro + "/picture.png", "x"); }), EACCES);
  EXPECT_EQ(as([&] { return writeFileAtomically(ro + "/old.png", "new"); }), EACCES);
  EXPECT_EQ(test::readFile(ro + "/old.png"), "old");
  EXPECT_EQ(fs::directory_iterator(ro)->path().filename(), "old.png");
}

TEST(CheckedWrite, AnAppendThatFailsHalfWayLeavesTheFileAsItWas) {
  Folder f;
  const std::string file = f / "lumet.dat";
  std::ofstream(file) << "12345";
  // Files may not grow past 8 bytes: the write takes 3 and fails on the rest.
  const auto limited = [](auto write) {
    return inChild([&] {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{8, 8};
      return setrlimit(RLIMIT_FSIZE, &limit) == 0 ? write() : kChildNotReady;
    });
  };
  EXPECT_EQ(limited([&] { return appendToFile(file, "abcdefgh"); }), EFBIG);
  EXPECT_EQ(test::readFile(file), "12345");
  EXPECT_EQ(f.entries(), std::vector<std::string>{"lumet.dat"});
}

TEST(CheckedWrite, AppendingAddsToTheEndAndMakesANewFile) {
  Folder f;
  ASSERT_EQ(appendToFile(f / "lumet.dat", "ab\r\n"), 0);
  ASSERT_EQ(appendToFile(f / "lumet.dat", "cd\r\n"), 0);
  EXPECT_EQ(test::readFile(f / "lumet.dat"), "ab\r\ncd\r\n");
  EXPECT_EQ(fs::status(f / "lumet.dat").permissions(), fs::perms(0666 & ~currentUmask()));
}

TEST(CheckedWrite, TheMessageNamesTheFileAndTheReason) {
  EXPECT_EQ(writeFailureMessage("/home/u/lumet.dat", ENOSPC),
            "Ошибка записи в файл\r\n/home/u/lumet.dat: нет места на диске");
  EXPECT_EQ(writeFailureMessage("/mnt/cd/lumet.dat", EROFS),
            "Ошибка записи в файл\r\n/mnt/cd/lumet.dat: диск только для чтения");
  // Every reason a read or write commonly fails with is told in words.
  for (int err : {ELOOP,  ENAMETOOLONG, ENOTDIR, EROFS,   EACCES, EPERM,  ENOENT, ENOSPC, EDQUOT,
                  EISDIR, EEXIST,       EBUSY,   ETXTBSY, EMFILE, ENFILE, EFBIG,  ENXIO,  EAGAIN,
                  EIO,    ENOTSUP,      EINVAL,  ENOMEM,  EXDEV,  ENODEV, EBADF}) {
    const std::string phrase = fileProblem(err);
    EXPECT_EQ(phrase.find_first_of("0123456789"), std::string::npos) << err << ": " << phrase;
  }
}

// Lumets appending to one file at once, one of them on a full disk (a size
// limit of its own): a header stands only at the top, every record stays
// whole, and each process's successful appends are all there.
TEST(CheckedWrite, ProcessesAppendingAtOnceNeverCutEachOther) {
  constexpr int kRecords = 150;
  for (int round = 0; round < 4; ++round) {
    Folder f;
    const std::string file = f / "lumet.csv";
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    // Each child waits for the start, appends its records and returns how
    // many went in.
    const auto child = [&](char letter, rlim_t limit) {
      const pid_t pid = fork();
      if (pid != 0) return pid;
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit r{limit, limit};
      if (limit != RLIM_INFINITY) setrlimit(RLIMIT_FSIZE, &r);
      char c;
      close(go[1]);
      if (read(go[0], &c, 1) != 0) _exit(kChildNotReady);
      int written = 0;
      for (int k = 0; k < kRecords; ++k) {
        const std::string record = std::string(1 + (k * 37 + round) % 90, letter) + "\r\n";
        written += appendToFile(file, record, "header\r\n") == 0;
      }
      _exit(written);
    };
    const pid_t full = child('a', 2000 + 1000 * round), free = child('b', RLIM_INFINITY);
    close(go[0]);
    close(go[1]);  // both start
    int fullStatus = 0, freeStatus = 0;
    ASSERT_EQ(waitpid(full, &fullStatus, 0), full);
    ASSERT_EQ(waitpid(free, &freeStatus, 0), free);
    const std::string text = test::readFile(file);
    ASSERT_EQ(text.rfind("header\r\n", 0), 0u) << round;
    int lines[2] = {0, 0};
    for (size_t at = 8, end; at < text.size(); at = end + 2) {
      end = text.find("\r\n", at);
      ASSERT_NE(end, std::string::npos) << "a cut record at " << at;
      const std::string record = text.substr(at, end - at);
      ASSERT_TRUE(!record.empty() && (record[0] == 'a' || record[0] == 'b')) << record;
      ASSERT_EQ(record.find_first_not_of(record[0]), std::string::npos) << record;
      ++lines[record[0] - 'a'];
    }
    EXPECT_EQ(lines[0], WEXITSTATUS(fullStatus)) << round;
    EXPECT_EQ(lines[1], kRecords) << round;
    EXPECT_EQ(WEXITSTATUS(freeStatus), kRecords) << round;
    EXPECT_LT(lines[0], kRecords) << "the full disk was never met";
  }
}

// The record of lumet.dat and its row of lumet.csv go as a pair: when the
// row cannot be written, the record is taken back.
TEST(CheckedWrite, TheLogAndItsTableHoldTheSameRecords) {
  Folder f;
  // The table reaches the size limit first: it starts with 3000 bytes.
  std::ofstream(f / "lumet.csv") << std::string(kRunCsvHeader) + "\r\n" + std::string(2960, 'x') +
                                        "\r\n";
  Model m;
  const int result = inChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{4000, 4000};
    if (setrlimit(RLIMIT_FSIZE, &r) != 0) return kChildNotReady;
    std::string failed;
    int errors = 0;
    for (int k = 0; k < 60; ++k) {
      m.Tc = k;
      if (appendRecord(f.dir, "2026-12-08T10:15:02.123-4711", m, &failed) != 0) {
        if (failed != f / "lumet.csv") return 251;
        ++errors;
      }
    }
    return errors > 0 ? 0 : 252;
  });
  ASSERT_EQ(result, 0);
  const std::string log = test::readFile(f / "lumet.dat");
  const std::string csv = test::readFile(f / "lumet.csv");
  const auto count = [](const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_GT(count(log, "T= "), 0u);
  EXPECT_EQ(count(log, "T= "), count(csv, "\r\n2026-12-08T10:15:02.123-4711,"));
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
}
