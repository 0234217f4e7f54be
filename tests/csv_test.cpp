// The tables for a spreadsheet: the result table is what its boxes show, lumet.csv
// repeats every record of the run log number for number, and files that
// cannot be written are reported, never half written.
#include "output/csv.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <regex>

#include "app/log_writes.h"
#include "app/results.h"
#include "app/setup_file.h"
#include "form/form.h"
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
  Experiment x;
  x.p.setOn(P::cycloid, true);
  x.shown.set(V::T1, 6.38999999999991);  // its box shows 6.39
  x.shown.set(V::T2, 5.84);
  x.shown.set(V::ColMV2, 1.5);
  x.shown.set(V::ColTpU5, -2e-07);
  EXPECT_EQ(resultsCsv(resultTable(x)),
            "trajectory,taking_part,time_s,int_m1V,int_T_minus_U,int_T,int_T_plus_U,integral,"
            "form\r\n"
            "1,0,6.39,,,,,time,total\r\n"
            "2,1,5.84,1.5,,,,time,total\r\n"
            "3,0,,,,,,time,total\r\n"
            "4,0,,,,,,time,total\r\n"
            "5,1,,,,,-2e-07,time,total\r\n");
  x.p.choose(P::integral, *choiceByWord(P::integral, "path"));
  for (P id : {P::average_m1V, P::average_T_minus_U, P::average_T, P::average_T_plus_U})
    x.p.setOn(id, true);
  EXPECT_NE(resultsCsv(resultTable(x)).find("\r\n1,0,6.39,,,,,path,average\r\n"),
            std::string::npos);
  x.p.setOn(P::average_T_minus_U, false);
  EXPECT_NE(resultsCsv(resultTable(x)).find(",,path,average total average average\r\n"),
            std::string::npos);
}

// The table holds the numbers the laboratory showed: a result box typed over
// by hand does not change it.
TEST(Csv, AResultBoxTypedOverLeavesTheTableAsShown) {
  TestLab t;
  t.x.shown.set(V::ColMV2, 1.5);
  const std::string shown = resultsCsv(resultTable(t.x));
  Form form(t.lab);
  form.type(controlOf(V::ColMV2), "1,5");
  EXPECT_EQ(form.text(controlOf(V::ColMV2)), "1,5");
  EXPECT_EQ(resultsCsv(resultTable(t.x)), shown);
  EXPECT_NE(shown.find("\r\n2,0,,1.5,,,,time,total\r\n"), std::string::npos);
}

// For the clipboard the same rows go tab-separated with LF: a comma is then
// plain text and a tab is what must be quoted.
TEST(Csv, TheClipboardTableIsTheSameRowsWithTabs) {
  Experiment x;
  x.p.setOn(P::cycloid, true);
  x.shown.set(V::T2, 5.84);
  x.shown.set(V::ColMV2, 1.5);
  x.shown.set(V::ColTmU2, -0.25);
  x.p.setOn(P::average_T_minus_U, true);
  EXPECT_EQ(resultsTable(resultTable(x), '\t', "\n"),
            "trajectory\ttaking_part\ttime_s\tint_m1V\tint_T_minus_U\tint_T\tint_T_plus_U\t"
            "integral\tform\n"
            "1\t0\t\t\t\t\t\ttime\ttotal average total total\n"
            "2\t1\t5.84\t1.5\t-0.25\t\t\ttime\ttotal average total total\n"
            "3\t0\t\t\t\t\t\ttime\ttotal average total total\n"
            "4\t0\t\t\t\t\t\ttime\ttotal average total total\n"
            "5\t1\t\t\t\t\t\ttime\ttotal average total total\n");
  EXPECT_EQ(csvField("a\tb"), "a\tb");
  EXPECT_EQ(csvField("a,b", '\t'), "a,b");
  EXPECT_EQ(csvField("a\tb", '\t'), "\"a\tb\"");
}

TEST(Csv, RunRowsRepeatTheLogsRecordsNumberForNumber) {
  TestLab t;
  t.set(P::NCg, "3");
  t.set(P::NCf, "5");
  t.check(P::log, true);
  t.choose(P::shown, "5");
  for (int run = 0; run < 2; ++run) {
    ASSERT_TRUE(t.act(Action::Start).handled);
    for (int k = 0; k < 36; ++k) t.tick();
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
  EXPECT_EQ(t.x.runStart, split(rows.back(), ",")[0]);
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
  t.set(P::NCf, "1");
  t.check(P::log, true);
  t.act(Action::Start);
  for (int k = 0; k < 3; ++k) t.tick();
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{textOf(writeFailureMessage(csv, EISDIR))});
  EXPECT_TRUE(t.running());
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
  EXPECT_EQ(textOf(fileProblem(ENOSPC)), "нет места на диске");
  EXPECT_EQ(textOf(fileProblem(EISDIR)), "это папка, а не файл");
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
  EXPECT_EQ(SaveSetup(t.x, "/dev/full").err, ENOSPC);
  EXPECT_EQ(SaveResults(t.x, t.dir), EISDIR);
  EXPECT_EQ(SaveResults(t.x, t.dir + "/r.csv"), 0);
  EXPECT_EQ(test::readFile(t.dir + "/r.csv"), resultsCsv(resultTable(t.x)));
}
