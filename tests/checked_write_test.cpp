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
#include <sstream>

#include "app/log_writes.h"
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
  EXPECT_EQ(textOf(writeFailureMessage("/home/u/lumet.dat", ENOSPC)),
            "Ошибка записи в файл\r\n/home/u/lumet.dat: нет места на диске");
  EXPECT_EQ(textOf(writeFailureMessage("/mnt/cd/lumet.dat", EROFS)),
            "Ошибка записи в файл\r\n/mnt/cd/lumet.dat: диск только для чтения");
  // Every reason a read or write commonly fails with is told in words.
  for (int err : {ELOOP,  ENAMETOOLONG, ENOTDIR, EROFS,   EACCES, EPERM,  ENOENT, ENOSPC, EDQUOT,
                  EISDIR, EEXIST,       EBUSY,   ETXTBSY, EMFILE, ENFILE, EFBIG,  ENXIO,  EAGAIN,
                  EIO,    ENOTSUP,      EINVAL,  ENOMEM,  EXDEV,  ENODEV, EBADF}) {
    const std::string phrase = textOf(fileProblem(err));
    EXPECT_EQ(phrase.find_first_of("0123456789"), std::string::npos) << err << ": " << phrase;
  }
}

// Two Lumets appending to one file at once, one of them on a full disk (a
// size limit of its own): one header at the top, every record whole, and
// each process's successful appends all there.
TEST(CheckedWrite, ProcessesAppendingAtOnceNeverCutEachOther) {
  Folder f;
  for (int round = 0; round < 4; ++round) {  // each a new file: its header is at stake too
    const std::string file = f / ("lumet" + std::to_string(round) + ".csv");
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    // A child appending count records of letter once both have started; it
    // ends with how many went in.
    const auto appender = [&](char letter, rlim_t limit, int count) {
      const pid_t pid = fork();
      if (pid != 0) return pid;
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit r{limit, limit};
      char c;
      if (setrlimit(RLIMIT_FSIZE, &r) != 0 || close(go[1]) != 0 || read(go[0], &c, 1) != 0)
        _exit(255);
      int written = 0;
      for (int k = 0; k < count; ++k)
        written += appendToFile(file, std::string(1 + k * 37 % 90, letter) + "\r\n", "h\r\n") == 0;
      _exit(written);
    };
    const pid_t pids[2] = {appender('a', 3000, 1000), appender('b', RLIM_INFINITY, 200)};
    close(go[0]);
    close(go[1]);  // both start
    int written[2], counted[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
      int status = 0;
      ASSERT_EQ(waitpid(pids[k], &status, 0), pids[k]);
      written[k] = WEXITSTATUS(status);
    }
    std::istringstream lines(test::readFile(file));
    std::string line;
    ASSERT_TRUE(std::getline(lines, line) && line == "h\r");
    while (std::getline(lines, line)) {
      ASSERT_TRUE(line.size() > 1 && (line[0] == 'a' || line[0] == 'b')) << line;
      ASSERT_EQ(line.find_first_not_of(line[0]), line.size() - 1) << line;
      ++counted[line[0] - 'a'];
    }
    EXPECT_EQ(counted[0], written[0]);
    EXPECT_EQ(counted[1], written[1]);
    EXPECT_LT(written[0], 200);  // the full disk was met
    EXPECT_EQ(written[1], 200);
  }
}

// A record of lumet.dat whose row of lumet.csv fails is taken back; a
// take-back never cuts what another process wrote after it.
TEST(CheckedWrite, ATakeBackRemovesOnlyWhatThisProcessWrote) {
  Folder f;
  fs::create_directory(f / "lumet.csv");
  std::string failed;
  EXPECT_EQ(appendRecord(f.dir, "run", Model{}, &failed), EISDIR);
  EXPECT_EQ(failed, f / "lumet.csv");
  EXPECT_EQ(test::readFile(f / "lumet.dat"), "");
  Appended mine;
  ASSERT_EQ(appendToFile(f / "lumet.dat", "mine\r\n", {}, &mine), 0);
  ASSERT_EQ(appendToFile(f / "lumet.dat", "theirs\r\n"), 0);
  takeBack(f / "lumet.dat", mine);
  EXPECT_EQ(test::readFile(f / "lumet.dat"), "mine\r\ntheirs\r\n");
}
