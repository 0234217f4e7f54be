// The run log's folder. The tests run as root in CI, where permission bits
// stop no write, so the folders that cannot take a file are ones that even
// root cannot write: /proc, and paths that lead through a regular file.
#include "output/log_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support.h"

namespace fs = std::filesystem;
using namespace lumet;

namespace {

struct Folders {
  std::string tmp = test::tempDir();
  std::string program = tmp + "/bin";
  std::string data = tmp + "/home/.local/share/Lumet";
  std::string underFile = tmp + "/plain/Lumet";  // "plain" is a regular file

  Folders() {
    fs::create_directories(program);
    std::ofstream(tmp + "/plain") << "not a folder";
  }
  ~Folders() {
    std::error_code ec;
    fs::remove_all(tmp, ec);
  }
  // Nothing but what a test made itself is left in the folder.
  static std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    return names;
  }
};

}  // namespace

TEST(LogLocation, AWritableProgramFolderKeepsTheLogAndTheDataFolderIsNotMade) {
  Folders f;
  LogFolder got = chooseLogFolder(f.program, f.data);
  EXPECT_EQ(got.path, f.program);
  EXPECT_EQ(got.problem, "");
  EXPECT_TRUE(Folders::entries(f.program).empty());  // the probe file is gone
  EXPECT_FALSE(fs::exists(f.tmp + "/home"));
}

TEST(LogLocation, TheUsersDataFolderTakesOverAndIsCreatedWhenNeeded) {
  struct Case {
    const char* what;
    std::string program;
    bool dataExists;
  };
  Folders f;
  fs::create_directories(f.program + "/lumet.dat");  // a folder cannot be appended to
  const Case cases[] = {
      {"not writable, data folder missing", "/proc", false},
      {"not writable, data folder there", "/proc", true},
      {"no program folder named", "", false},
      {"installed under /usr, writable or not", "/usr/bin", false},
      {"lumet.dat cannot be appended to", f.program, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(f.tmp + "/home");
    if (c.dataExists) fs::create_directories(f.data);
    LogFolder got = chooseLogFolder(c.program, f.data);
    EXPECT_EQ(got.path, f.data);
    EXPECT_EQ(got.problem, "");
    EXPECT_TRUE(fs::is_directory(f.data));
    EXPECT_TRUE(Folders::entries(f.data).empty());
  }
}

TEST(LogLocation, AnExistingLogThatTakesAppendsIsLeftAsItWas) {
  Folders f;
  std::ofstream(f.program + "/lumet.dat", std::ios::binary) << "m1= 1\r\n";
  EXPECT_EQ(chooseLogFolder(f.program, f.data).path, f.program);
  EXPECT_EQ(test::readFile(f.program + "/lumet.dat"), "m1= 1\r\n");
}

TEST(LogLocation, NoUsableFolderSaysWhyForBoth) {
  struct Case {
    const char* what;
    std::string data;
    std::string why;  // the data folder's reason
  };
  Folders f;
  const Case cases[] = {
      {"data folder not creatable", f.underFile, "(Not a directory)"},
      {"data folder not writable", "/proc", "(No such file or directory)"},
      {"no data folder named", "", "(no folder)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogFolder got = chooseLogFolder("/proc", c.data);
    EXPECT_EQ(got.path, "");
    EXPECT_EQ(got.problem,
              "cannot write the run log in the program's folder /proc "
              "(No such file or directory) nor in the user's data folder " +
                  c.data + " " + c.why);
  }
  EXPECT_FALSE(fs::exists(f.tmp + "/plain/Lumet"));
}
