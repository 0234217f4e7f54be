// The tables for a spreadsheet: the result table equals its boxes, lumet.csv
// repeats every record of the run log number for number, and files that
// cannot be written are reported, never half written.
#include "output/csv.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <regex>

#include "app/log_writes.h"
#include "app/setup_file.h"
#include "model/messages.h"
#include "output/file_write.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

std::vector<std::string> split(const std::string& text, const std::string& sep) {
  std::vector<std::string> out;
  size_t from = 0, at;
  while ((at = text.find(sep, from)) != std::string::npos) {
    out.push_back(text.substr(from, at - from));
    from = at + sep.size();
  }
  if (from < text.size()) out.push_back(text.substr(from));
  return out;
}

// The numbers of a log record "T= a    i= n\r\nX= b    Y= c ...", without i.
std::vector<std::string> recordNumbers(const std::string& record) {
  std::vector<std::string> out;
  for (const std::string& item : split(record, "    ")) {
    for (const std::string& part : split(item, "\r\n")) {
      const std::string value = part.substr(part.find("= ") + 2);
      if (part.rfind("i= ", 0) != 0) out.push_back(value);
    }
  }
  return out;
}

// The shape 2026-12-08T10:15:02.123-4711: the start to the millisecond, then
// the process.
bool isRunId(const std::string& s) {
  return std::regex_match(s, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}-\d+)"));
}

}  // namespace

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBe) {
  const std::pair<std::string, std::string> cases[] = {{"", ""},
                                                       {"6.39", "6.39"},
                                                       {"a,b", "\"a,b\""},
                                                       {"a\"b", "\"a\"\"b\""},
                                                       {"a\r\nb", "\"a\r\nb\""},
                                                       {"ёж; 1", "ёж; 1"}};
  for (const auto& [text, field] : cases) EXPECT_EQ(csvField(text), field) << text;
}

TEST(Csv, TheResultTableIsItsBoxes) {
  Controls c;
  c.setCheck(Check2, true);
  c.setText(Text61, "6.38999999999991");
  c.setText(Text62, "5.84");
  c.setText(Text67, "1,5");  // typed into a result box by hand
  c.setText(Text85, "-2e-07");
  EXPECT_EQ(resultsCsv(c),
            "trajectory,taking_part,time_s,int_m1V,int_T_minus_U,int_T,int_T_plus_U,integral,"
            "form\r\n"
            "1,0,6.38999999999991,,,,,time,total\r\n"
            "2,1,5.84,\"1,5\",,,,time,total\r\n"
            "3,0,,,,,,time,total\r\n"
            "4,0,,,,,,time,total\r\n"
            "5,1,,,,,-2e-07,time,total\r\n");
  c.select(Option9);
  for (ControlId id : {Check8, Check9, Check10, Check11}) c.setCheck(id, true);
  EXPECT_NE(resultsCsv(c).find("\r\n1,0,6.38999999999991,,,,,path,average\r\n"), std::string::npos);
  c.setCheck(Check9, false);
  EXPECT_NE(resultsCsv(c).find(",,path,average total average average\r\n"), std::string::npos);
}

// For the clipboard the same rows go tab-separated with LF: a comma is then
// plain text and a tab is what must be quoted.
TEST(Csv, TheClipboardTableIsTheSameRowsWithTabs) {
  Controls c;
  c.setCheck(Check2, true);
  c.setText(Text62, "5.84");
  c.setText(Text67, "1,5");
  c.setText(Text72, "a\tb");
  c.setCheck(Check9, true);
  EXPECT_EQ(resultsTable(c, '\t', "\n"),
            "trajectory\ttaking_part\ttime_s\tint_m1V\tint_T_minus_U\tint_T\tint_T_plus_U\t"
            "integral\tform\n"
            "1\t0\t\t\t\t\t\ttime\ttotal average total total\n"
            "2\t1\t5.84\t1,5\t\"a\tb\"\t\t\ttime\ttotal average total total\n"
            "3\t0\t\t\t\t\t\ttime\ttotal average total total\n"
            "4\t0\t\t\t\t\t\ttime\ttotal average total total\n"
            "5\t1\t\t\t\t\t\ttime\ttotal average total total\n");
  EXPECT_EQ(csvField("a\tb"), "a\tb");
  EXPECT_EQ(csvField("a,b", '\t'), "a,b");
}

TEST(Csv, RunRowsRepeatTheLogsRecordsNumberForNumber) {
  TestLab t;
  t.set(Text55, "3");
  t.set(Text57, "5");
  t.c.setCheck(Check6, true);
  t.c.select(Option7);
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(t.lab.click(Command1));
    for (int k = 0; k < 36; ++k) t.lab.tick();
  }
  ASSERT_TRUE(t.dialogs.messages.empty());
  // The log: a header line per start, then two-line records.
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> lines = split(t.log(), "\r\n");
  for (size_t k = 0; k < lines.size(); ++k)
    if (lines[k].rfind("T= ", 0) == 0)
      records.push_back(recordNumbers(lines[k] + "\r\n" + lines[k + 1]));
  const std::vector<std::string> rows =
      split(test::readFile(runCsvPath(t.dir + "/lumet.dat")), "\r\n");
  ASSERT_EQ(records.size(), 12u);  // steps 6, 12, ..., 36 at NCg 3 and NCf 5, in two runs
  ASSERT_EQ(rows.size(), records.size() + 1);
  EXPECT_EQ(rows[0], "run,T,X,Y,VX,VY,FX,FY,E0,E");
  for (size_t k = 0; k < records.size(); ++k) {
    std::vector<std::string> fields = split(rows[k + 1], ",");
    ASSERT_EQ(fields.size(), 10u) << rows[k + 1];
    EXPECT_TRUE(isRunId(fields[0])) << fields[0];
    fields.erase(fields.begin());
    EXPECT_EQ(fields, records[k]) << "record " << k;
  }
  EXPECT_EQ(t.l.runStart, split(rows.back(), ",")[0]);
}

TEST(Csv, TheRunTableStandsBesideTheLog) {
  EXPECT_EQ(runCsvPath("/var/lib/lumet/lumet.dat"), "/var/lib/lumet/lumet.csv");
  EXPECT_EQ(runCsvPath("lumet.dat"), "lumet.csv");
}

// Two runs never share their `run`, even started in one millisecond by one
// process, and later runs sort after earlier ones.
TEST(Csv, TheRunIsItsStartToTheMillisecondAndItsProcess) {
  std::tm tm{};
  tm.tm_year = 2026 - 1900, tm.tm_mon = 11, tm.tm_mday = 8, tm.tm_hour = 10, tm.tm_min = 15;
  tm.tm_isdst = -1;
  const auto t = std::chrono::system_clock::from_time_t(std::mktime(&tm));
  EXPECT_EQ(runId(t + std::chrono::microseconds(123999), 4711), "2026-12-08T10:15:00.123-4711");
  std::string last;
  for (int k = 0; k < 50; ++k) {
    const std::string run = newRunId();
    EXPECT_TRUE(isRunId(run) && run > last) << run;
    last = run;
  }
}

// The table beside the log follows the log's rule: one message naming the
// file and the reason, and the run goes on without them.
TEST(Csv, AnUnwritableRunTableIsToldOnceAndTheRunGoesOn) {
  TestLab t;
  const std::string csv = runCsvPath(t.dir + "/lumet.dat");
  std::filesystem::create_directory(csv);  // a folder in the way
  t.set(Text57, "1");
  t.c.setCheck(Check6, true);
  t.lab.click(Command1);
  for (int k = 0; k < 3; ++k) t.lab.tick();
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{writeFailureMessage(csv, EISDIR)});
  EXPECT_TRUE(t.l.Timer1.Enabled);
}

TEST(FileWrite, ReplacesTheTargetWholeKeepingItsModeAndLinks) {
  const std::string dir = test::tempDir();
  const std::string file = dir + "/a.lumet", link = dir + "/link.lumet";
  std::ofstream(file) << "old text, longer than the new one";
  ::chmod(file.c_str(), 0640);
  std::filesystem::create_symlink("a.lumet", link);
  EXPECT_EQ(writeFileAtomically(link, "new"), 0);
  EXPECT_EQ(test::readFile(file), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);  // no temporary left
  std::filesystem::remove_all(dir);
}

TEST(FileWrite, UnwritableTargetsAreReportedAndLeftAlone) {
  const std::string dir = test::tempDir();
  const std::string file = dir + "/kept.csv";
  std::ofstream(file) << "kept";
  const std::pair<std::string, int> targets[] = {
      {dir, EISDIR}, {"/dev/full", ENOSPC}, {dir + "/missing/a.csv", ENOENT}};
  for (const auto& [path, err] : targets) EXPECT_EQ(writeFileAtomically(path, "x"), err) << path;
  // A disk that fills up while the file is written: the file size limit
  // makes the write fail half way, as a full disk would.
  struct rlimit old;
  ::getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = 4;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  const int err = writeFileAtomically(file, "longer than four bytes");
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(err, EFBIG);
  EXPECT_EQ(test::readFile(file), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  EXPECT_EQ(fileProblem(ENOSPC), "нет места на диске");
  EXPECT_EQ(fileProblem(EISDIR), "это папка, а не файл");
  std::filesystem::remove_all(dir);
}

TEST(FileWrite, TheProgramsOwnOutputIsWrittenThroughItsDescriptor) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  EXPECT_EQ(writeFileAtomically("/dev/fd/" + std::to_string(fds[1]), "row\r\n"), 0);
  EXPECT_EQ(writeFileAtomically("/proc/self/fd/" + std::to_string(fds[1]), "two"), 0);
  ::close(fds[1]);
  char buf[16] = {};
  EXPECT_EQ(::read(fds[0], buf, sizeof buf), 8);
  EXPECT_STREQ(buf, "row\r\ntwo");
  ::close(fds[0]);
}

TEST(FileWrite, SetupAndResultsGoThroughTheSameWriter) {
  TestLab t;
  EXPECT_EQ(SaveSetup(t.l, "/dev/full"), ENOSPC);
  EXPECT_EQ(SaveResults(t.l, t.dir), EISDIR);
  EXPECT_EQ(SaveResults(t.l, t.dir + "/r.csv"), 0);
  EXPECT_EQ(test::readFile(t.dir + "/r.csv"), resultsCsv(t.c));
}
