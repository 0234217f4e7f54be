// A series of experiments: the set-up run COUNT times, each from a fresh
// start with one number parameter set to the next value of a range, at full
// speed with no pictures, log or dialogs, until every ticked trajectory has
// finished, the model time reaches the limit, or a failure. The runs are
// independent and go on a pool of threads; each run's rows depend only on
// the set-up and its value, so the results are the same whatever the number
// of threads and the order in which the runs finish.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/messages.h"
#include "model/parameters.h"

namespace lumet {

// The largest number of runs of one series.
inline constexpr int kSeriesMaxCount = 100000;
// Without a limit of its own a run lasts at most this many steps of h.
inline constexpr double kSeriesDefaultSteps = 1e6;

// What a series varies and how long each run may last.
struct SeriesPlan {
  P param = P::Xk;
  double from = 0, to = 0;
  int count = 1;
  bool log = false;             // geometric spacing instead of even
  std::optional<double> limit;  // the longest model time of a run, s; none: 1e6 steps of h
  // At most this many steps a run, for a runner whose scripts are bounded
  // (a fuzzer's); negative: no bound beyond the limit.
  long stepCap = -1;
};

// The plan from the texts a user gave (the parameter's name, the bounds, the
// count and the limit, empty for the default), or the one message that says
// what is wrong: an unknown or non-number parameter, a bound that is no
// number, a count outside 1 … 100 000, geometric spacing with a bound ≤ 0,
// a limit that is no positive number.
std::variant<SeriesPlan, Message> planSeries(std::string_view name, std::string_view from,
                                             std::string_view to, std::string_view count, bool log,
                                             std::string_view limit);

// The value of run r (1 … count): FROM for the first, TO for the last, evenly
// or geometrically spaced between; FROM when the count is 1.
double seriesValue(const SeriesPlan& plan, int r);
// The value as the run types it into the parameter and the CSV shows it.
std::string seriesValueText(const SeriesPlan& plan, int r);

enum class RunStatus { Finished, NotFinished, Failed };
const char* statusWord(RunStatus s);  // "finished", "not finished", "failed"

// One trajectory of one run.
struct SeriesRow {
  int run = 0;
  double value = 0;    // the parameter's value
  int trajectory = 0;  // 1 … 5
  RunStatus status = RunStatus::NotFinished;
  // Only when finished: the finish time, the path, the four integrals as
  // the result table shows them (m1·V, T − U, T, T + U) and E − E0.
  double time = 0, path = 0;
  std::array<double, 4> integrals{};
  double energyError = 0;
  std::optional<Message> message;  // the failure's message
};

// Which runs of the series this process makes: those whose number r has
// (r − 1) mod parts = part − 1.
struct SeriesPart {
  int part = 1, parts = 1;
  bool has(int r) const { return (r - 1) % parts == part - 1; }
};

// Shared with the thread that waits for the series: the runs done so far,
// and a request to stop.
struct SeriesControl {
  std::atomic<bool> cancel{false};
  std::atomic<int> done{0};
  std::atomic<int> total{0};  // runs of this part, once they are known
};

struct SeriesOptions {
  int jobs = 0;  // threads; 0: every core
  SeriesPart part;
  SeriesControl* control = nullptr;
  // Called now and then on the calling thread while the runs go on, with
  // the runs done and the runs of this part.
  std::function<void(int done, int total)> progress;
};

struct SeriesOutcome {
  // The set-up starts for no value of the series: its message, and no run
  // was made.
  std::optional<Message> refused;
  // The rows of every run made, by run and trajectory.
  std::vector<SeriesRow> rows;
  int runs = 0;  // runs of this part
  int done = 0;  // runs made (fewer when cancelled)
  bool cancelled = false;
};

// Runs the series on the parameters and the cycloid tolerance's divisor
// KDfi of a set-up, which it copies for each run.
SeriesOutcome RunSeries(const Parameters& setup, double KDfi, const SeriesPlan& plan,
                        const SeriesOptions& options);

// One run of the series: its rows, one per ticked trajectory.
std::vector<SeriesRow> RunOne(const Parameters& setup, double KDfi, const SeriesPlan& plan, int r,
                              const std::atomic<bool>* cancel = nullptr);

// The series CSV: header run,NAME,trajectory,status,time_s,path_m,int_m1V,
// int_T_minus_U,int_T,int_T_plus_U,E_minus_E0_J,message, one row per row,
// RFC 4180 with CR LF, numbers with 15 digits, the messages in Russian as
// the other files have them, each on one line (its line breaks and runs of
// blanks one blank), so that a row is a line.
std::string seriesCsv(P param, const std::vector<SeriesRow>& rows);
// The same table with another separator and line end (tab and LF for the
// clipboard), and its header and rows one by one.
std::string seriesTable(P param, const std::vector<SeriesRow>& rows, char separator,
                        std::string_view lineEnd);
std::string seriesTableHeader(P param, char separator = ',');
std::string seriesTableRow(const SeriesRow& row, char separator = ',');

}  // namespace lumet
