// A series of experiments: its inputs checked with one message each, its
// values spaced as asked, each run equal to the same start made by hand in
// the laboratory, and the same rows (to the byte) whatever the number of
// threads, and from parts merged and sorted by run.
#include "app/series.h"

#include <algorithm>

#include "app/setup_file.h"
#include "support.h"

namespace lumet {
namespace {

// The race of the four rods, examples/race.lumet.
Experiment race() {
  Experiment x;
  const SetupRead read = readSetupFile(LUMET_SOURCE_DIR "/examples/race.lumet");
  EXPECT_TRUE(read.setup);
  if (read.setup) applySetup(x, *read.setup);
  return x;
}

SeriesPlan plan(std::string_view name, std::string_view from, std::string_view to,
                std::string_view count, bool log = false, std::string_view limit = "") {
  const auto p = planSeries(name, from, to, count, log, limit);
  if (const Message* m = std::get_if<Message>(&p)) ADD_FAILURE() << textOf(*m, Language::en);
  return std::holds_alternative<SeriesPlan>(p) ? std::get<SeriesPlan>(p) : SeriesPlan{};
}

TEST(Series, EveryBadInputHasItsOneMessage) {
  const struct {
    const char *name, *from, *to, *count;
    bool log;
    const char* limit;
    Msg problem;
  } cases[] = {
      {"Xq", "1", "2", "3", false, "", Msg::SeriesNoParameter},
      {"euler", "1", "2", "3", false, "", Msg::SeriesNoParameter},  // a switch
      {"NCg", "1", "2", "3", false, "", Msg::SeriesNoParameter},    // an integer
      {"Xk", "a", "2", "3", false, "", Msg::SeriesBound},
      {"Xk", "1", "inf", "3", false, "", Msg::SeriesBound},
      {"Xk", "1", "2", "0", false, "", Msg::SeriesCount},
      {"Xk", "1", "2", "100001", false, "", Msg::SeriesCount},
      {"Xk", "1", "2", "2.5", false, "", Msg::SeriesCount},
      {"Xk", "0", "2", "3", true, "", Msg::SeriesLogBound},
      {"Xk", "1", "-2", "3", true, "", Msg::SeriesLogBound},
      {"Xk", "1", "2", "3", false, "0", Msg::SeriesLimit},
      {"Xk", "1", "2", "3", false, "-1", Msg::SeriesLimit},
      {"Xk", "1", "2", "3", false, "x", Msg::SeriesLimit},
  };
  for (const auto& c : cases) {
    const auto p = planSeries(c.name, c.from, c.to, c.count, c.log, c.limit);
    ASSERT_TRUE(std::holds_alternative<Message>(p)) << c.name << ' ' << c.count;
    EXPECT_EQ(std::get<Message>(p).id, c.problem) << c.name << ' ' << c.count;
    // Each message has its text in both languages.
    EXPECT_NE(textOf(std::get<Message>(p), Language::ru),
              textOf(std::get<Message>(p), Language::en));
  }
  EXPECT_TRUE(
      std::holds_alternative<SeriesPlan>(planSeries("Xk", "1", "2", "100000", true, " 5 ")));
  EXPECT_TRUE(std::holds_alternative<SeriesPlan>(planSeries("h", "1", "2", "1", false, "")));
}

TEST(Series, ValuesRunFromTheFirstBoundToTheSecond) {
  const SeriesPlan even = plan("Xk", "50", "200", "4");
  EXPECT_EQ(seriesValue(even, 1), 50);
  EXPECT_EQ(seriesValue(even, 2), 100);
  EXPECT_EQ(seriesValue(even, 3), 150);
  EXPECT_EQ(seriesValue(even, 4), 200);
  const SeriesPlan geometric = plan("Xk", "1", "1000", "4", true);
  EXPECT_EQ(seriesValue(geometric, 1), 1);
  EXPECT_NEAR(seriesValue(geometric, 2), 10, 1e-12);
  EXPECT_NEAR(seriesValue(geometric, 3), 100, 1e-10);
  EXPECT_EQ(seriesValue(geometric, 4), 1000);
  EXPECT_EQ(seriesValue(plan("Xk", "7", "9", "1"), 1), 7);
  EXPECT_EQ(seriesValueText(plan("Xk", "0", "1", "4"), 2), "0.333333333333333");
}

// A run of the series is the start of the set-up with that value, run in
// the laboratory step by step until every rod has finished.
TEST(Series, ARunIsTheLaboratorysOwnRun) {
  Experiment x = race();
  const SeriesPlan p = plan("Xk", "80", "120", "3");
  const std::vector<SeriesRow> rows = RunOne(x.p, x.m.KDfi, p, 2);
  ASSERT_EQ(rows.size(), 4u);

  test::TestLab t;
  applySetup(t.x, *readSetupFile(LUMET_SOURCE_DIR "/examples/race.lumet").setup);
  t.act(Action::Start);
  for (int k = 0; k < 1000 && t.x.running; ++k) t.act(Action::Step);
  for (const SeriesRow& r : rows) {
    const int i = r.trajectory;
    EXPECT_EQ(r.run, 2);
    EXPECT_EQ(r.value, 100);
    EXPECT_EQ(r.status, RunStatus::Finished) << i;
    EXPECT_EQ(r.time, t.m.Tfin[i]) << i;
    EXPECT_EQ(r.path, t.m.Lmax[i]) << i;
    EXPECT_EQ(r.integrals[0], t.m.ColMV[i]) << i;
    EXPECT_EQ(r.integrals[3], t.m.ColTpU[i]) << i;
    EXPECT_LT(std::fabs(r.energyError), 1.0) << i;  // of some 980 J
  }
  // The cycloid wins, the line is last (README: 5.84 s and 6.39 s).
  EXPECT_NEAR(rows[1].time, 5.84, 0.005);
  EXPECT_NEAR(rows[0].time, 6.39, 0.005);
}

TEST(Series, TheSameBytesWhateverTheThreadsAndTheParts) {
  Experiment x = race();
  const SeriesPlan p = plan("Xk", "50", "200", "7");
  SeriesOptions one;
  one.jobs = 1;
  const SeriesOutcome whole = RunSeries(x.p, x.m.KDfi, p, one);
  ASSERT_FALSE(whole.refused);
  EXPECT_EQ(whole.done, 7);
  EXPECT_EQ(whole.rows.size(), 28u);
  const std::string csv = seriesCsv(p.param, whole.rows);
  for (int jobs : {2, 3, 8}) {
    SeriesOptions o;
    o.jobs = jobs;
    EXPECT_EQ(seriesCsv(p.param, RunSeries(x.p, x.m.KDfi, p, o).rows), csv) << jobs;
  }
  // Three parts, each on two threads, merged and sorted by run.
  std::vector<SeriesRow> merged;
  for (int k = 1; k <= 3; ++k) {
    SeriesOptions o;
    o.jobs = 2;
    o.part = {k, 3};
    const SeriesOutcome part = RunSeries(x.p, x.m.KDfi, p, o);
    EXPECT_EQ(part.runs, k == 1 ? 3 : 2);
    merged.insert(merged.end(), part.rows.begin(), part.rows.end());
  }
  std::stable_sort(merged.begin(), merged.end(),
                   [](const SeriesRow& a, const SeriesRow& b) { return a.run < b.run; });
  EXPECT_EQ(seriesCsv(p.param, merged), csv);
  EXPECT_EQ(csv.substr(0, csv.find('\n') + 1),
            "run,Xk,trajectory,status,time_s,path_m,int_m1V,int_T_minus_U,int_T,int_T_plus_U,"
            "E_minus_E0_J,message\r\n");
}

TEST(Series, RefusedStartsFailuresAndLimitsAreRowsAndTheSeriesGoesOn) {
  Experiment x = race();
  // Xk = -50 and 0 are refused (Xn = 0 must be less than Xk); 50 runs, but
  // not to the finish in 2 s.
  const SeriesPlan p = plan("Xk", "-50", "50", "3", false, "2");
  const SeriesOutcome o = RunSeries(x.p, x.m.KDfi, p, {});
  ASSERT_FALSE(o.refused);
  ASSERT_EQ(o.rows.size(), 12u);
  for (const SeriesRow& r : o.rows) {
    if (r.run < 3) {
      EXPECT_EQ(r.status, RunStatus::Failed);
      ASSERT_TRUE(r.message);
      EXPECT_EQ(r.message->id, Msg::XnXk);
    } else {
      EXPECT_EQ(r.status, RunStatus::NotFinished);
      EXPECT_FALSE(r.message);
    }
  }
  EXPECT_EQ(seriesTableRow(o.rows[0]), "1,-50,1,failed,,,,,,,,Xn должно быть всегда меньше Xk");
  EXPECT_EQ(seriesTableRow(o.rows.back()), "3,50,4,not finished,,,,,,,,");
  // A bounded runner's cap on the steps of a run: 10 steps finish nothing.
  SeriesPlan capped = plan("Xk", "100", "100", "1");
  capped.stepCap = 10;
  for (const SeriesRow& r : RunOne(x.p, x.m.KDfi, capped, 1))
    EXPECT_EQ(r.status, RunStatus::NotFinished);
  // A message of several lines is one line of the file.
  SeriesRow scales = o.rows[0];
  scales.message = Message(Msg::Scales);
  EXPECT_EQ(seriesTableRow(scales),
            "1,-50,1,failed,,,,,,,,\"Несовместимость параметров, что при заданных масштабах не "
            "позволяет вывести их на зкран\"");
  // A step of a run that fails: mass 1 of 0 divides by zero at the first step.
  x.p.setText(P::m1, "0");
  const SeriesOutcome failed = RunSeries(x.p, x.m.KDfi, plan("Xk", "90", "110", "2"), {});
  ASSERT_EQ(failed.rows.size(), 8u);
  for (const SeriesRow& r : failed.rows) {
    EXPECT_EQ(r.status, RunStatus::Failed);
    EXPECT_EQ(r.message, Message(Msg::SolveError));
  }
}

TEST(Series, ASetUpThatStartsForNoValueRunsNothing) {
  Experiment x = race();
  SeriesControl control;
  SeriesOptions o;
  o.control = &control;
  const SeriesOutcome out = RunSeries(x.p, x.m.KDfi, plan("Xk", "-50", "0", "5"), o);
  ASSERT_TRUE(out.refused);
  EXPECT_EQ(textOf(*out.refused, Language::en),
            "The experiment does not start for any value of Xk: Xn must always be less than Xk");
  EXPECT_TRUE(out.rows.empty());
  EXPECT_EQ(control.done, 0);
}

TEST(Series, ACancelledSeriesKeepsNoHalfRun) {
  Experiment x = race();
  SeriesControl control;
  control.cancel = true;
  SeriesOptions o;
  o.control = &control;
  const SeriesOutcome out = RunSeries(x.p, x.m.KDfi, plan("Xk", "50", "200", "5"), o);
  EXPECT_TRUE(out.cancelled);
  EXPECT_TRUE(out.rows.empty());
  EXPECT_EQ(out.runs, 5);
}

}  // namespace
}  // namespace lumet
