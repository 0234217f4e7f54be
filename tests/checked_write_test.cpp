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
#include "output/file_write.h"
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
    int error;
  };
  Folder f;
  fs::create_directory(f / "folder");
  std::ofstream(f / "plain") << "a file";
  const Case cases[] = {
      {"a full disk", "/dev/full", ENOSPC},
      {"a folder in the way", f / "folder", EISDIR},
      {"a folder that is not there", f / "missing/lumet.dat", ENOENT},
      {"a file where a folder should be", f / "plain/lumet.dat", ENOTDIR},
      {"no name", "", ENOENT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(appendToFile(c.path, "x\r\n"), c.error) << c.what;
    EXPECT_EQ(writeFileAtomically(c.path, "x\r\n"), c.error) << c.what;
  }
  EXPECT_EQ(f.entries(), (std::vector<std::string>{"folder", "plain"}));
  EXPECT_TRUE(fs::is_empty(f / "folder"));
  EXPECT_EQ(test::readFile(f / "plain"), "a file");
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
}
