// The run log that cannot be written: the start still starts, the user is
// told once with the file and the reason, the run goes on without its log,
// and the next start tries the log again.
#include "app/log_writes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "model/messages.h"
#include "support.h"

namespace fs = std::filesystem;
using namespace lumet;
using namespace lumet::test;

namespace {

// The free flight with a record at every step.
class LogFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    t.choose(P::shown, "5");
    t.check(P::log, true);
    t.set(P::NCg, "1");
    t.set(P::NCf, "1");
  }
  std::string logFile() const { return t.x.logDir + "/lumet.dat"; }
  void start() { ASSERT_TRUE(t.act(Action::Start).handled); }
  void ticks(int n) {
    for (int k = 0; k < n; ++k) ASSERT_TRUE(t.tick().handled);
  }
  std::string failure(int error) const { return textOf(writeFailureMessage(logFile(), error)); }
  TestLab t;
};

struct Blocked {
  const char* what;
  void (*block)(const std::string& dir);  // makes lumet.dat in dir unwritable
  int error;
};

class BlockedLog : public LogFailure, public ::testing::WithParamInterface<Blocked> {};

}  // namespace

TEST_P(BlockedLog, OneMessageAStartAndTheRunGoesOn) {
  GetParam().block(t.dir);
  start();
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{failure(GetParam().error)});
  EXPECT_TRUE(t.running());
  ticks(10);
  EXPECT_EQ(t.dialogs.messages.size(), 1u);  // the records are skipped silently
  EXPECT_TRUE(t.running());
  EXPECT_EQ(t.shown(V::T), "10");  // ten steps of 1 s
  start();                         // the next start tries again
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>(2, failure(GetParam().error)));
  EXPECT_TRUE(t.running());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, BlockedLog,
    ::testing::Values(
        Blocked{"full disk",
                [](const std::string& d) { fs::create_symlink("/dev/full", d + "/lumet.dat"); },
                ENOSPC},
        Blocked{"folder in the way",
                [](const std::string& d) { fs::create_directory(d + "/lumet.dat"); }, EISDIR},
        Blocked{"folder gone", [](const std::string& d) { fs::remove(d); }, ENOENT}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

TEST_F(LogFailure, AFolderThatVanishesDuringTheRun) {
  t.x.logDir = t.dir + "/run";
  fs::create_directory(t.x.logDir);
  start();
  ticks(3);
  const std::string written = readFile(logFile());
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1 + 2 * 2);  // NCfile starts at 0
  fs::remove_all(t.x.logDir);
  ticks(5);
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{failure(ENOENT)});
  EXPECT_TRUE(t.running());
  EXPECT_EQ(t.shown(V::T), "8");
  // The folder is back: the run stays without its log until the next start.
  fs::create_directory(t.x.logDir);
  ticks(2);
  EXPECT_FALSE(fs::exists(logFile()));
  start();
  ticks(2);
  EXPECT_EQ(t.dialogs.messages.size(), 1u);
  const std::string again = readFile(logFile());
  EXPECT_EQ(again.substr(0, 4), "m1= ");
  EXPECT_EQ(std::count(again.begin(), again.end(), '\n'), 1 + 2 * 2);
}

TEST_F(LogFailure, AStartThatFailsItsChecksLeavesTheLogAsItWas) {
  fs::remove(t.dir);
  start();
  ASSERT_TRUE(t.x.logOff);
  t.set(P::C1, "десять");  // not a number: the start stops before its header
  start();
  EXPECT_EQ(t.dialogs.messages.back(), textOf(Msg::BadData));
  EXPECT_TRUE(t.x.logOff);
}
