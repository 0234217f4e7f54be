#include "app/series.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "model/choices.h"
#include "model/failure.h"
#include "model/model.h"
#include "model/numbers.h"
#include "output/csv.h"
#include "physics/physics.h"
#include "setup/setup.h"

namespace lumet {

namespace {

// A count as typed: a whole number, blanks around it allowed.
std::optional<long> wholeNumber(std::string_view text) {
  const std::optional<double> v = parseNumber(text);
  if (!v || *v != std::floor(*v) || std::fabs(*v) > 1e9) return std::nullopt;
  return long(*v);
}

// A message on one line, its line breaks and runs of blanks one blank each,
// so that every row of a series is one line of the file (and parts merge
// with line tools).
std::string oneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    const bool blank = c == ' ' || c == '\r' || c == '\n';
    if (blank && (out.empty() || out.back() == ' ')) continue;
    out += blank ? ' ' : c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// How often a run looks whether the series was cancelled, in steps.
constexpr long kCancelEvery = 4096;

// The start's message: the one that stopped it, or "Введите правильно
// данные" for a text that is no number.
Message refusal(const StartReport& r) { return r.stop ? Message(*r.stop) : Message(Msg::BadData); }

// The parameters of run r: the set-up with the series' parameter typed in.
Parameters runParameters(const Parameters& setup, const SeriesPlan& plan, int r) {
  Parameters p = setup;
  p.setText(plan.param, seriesValueText(plan, r));
  return p;
}

}  // namespace

std::variant<SeriesPlan, Message> planSeries(std::string_view name, std::string_view from,
                                             std::string_view to, std::string_view count, bool log,
                                             std::string_view limit) {
  SeriesPlan plan;
  const std::optional<P> p = parameterByName(name);
  if (!p || row(*p).kind != ParamKind::Number)
    return Message(Msg::SeriesNoParameter, inQuotes(name));
  plan.param = *p;
  const std::optional<double> a = parseNumber(from), b = parseNumber(to);
  if (!a || !b) return Message(Msg::SeriesBound);
  plan.from = *a;
  plan.to = *b;
  const std::optional<long> n = wholeNumber(count);
  if (!n || *n < 1 || *n > kSeriesMaxCount) return Message(Msg::SeriesCount);
  plan.count = int(*n);
  plan.log = log;
  if (log && (plan.from <= 0 || plan.to <= 0)) return Message(Msg::SeriesLogBound);
  if (limit.find_first_not_of(' ') != std::string_view::npos) {
    const std::optional<double> t = parseNumber(limit);
    if (!t || *t <= 0) return Message(Msg::SeriesLimit);
    plan.limit = *t;
  }
  return plan;
}

double seriesValue(const SeriesPlan& plan, int r) {
  if (plan.count <= 1 || r <= 1) return plan.from;
  if (r >= plan.count) return plan.to;
  const double f = double(r - 1) / double(plan.count - 1);
  if (plan.log) return plan.from * std::pow(plan.to / plan.from, f);
  return plan.from + (plan.to - plan.from) * f;
}

std::string seriesValueText(const SeriesPlan& plan, int r) {
  return formatNumber(seriesValue(plan, r));
}

const char* statusWord(RunStatus s) {
  switch (s) {
    case RunStatus::Finished: return "finished";
    case RunStatus::NotFinished: return "not finished";
    case RunStatus::Failed: break;
  }
  return "failed";
}

std::vector<SeriesRow> RunOne(const Parameters& setup, double KDfi, const SeriesPlan& plan, int r,
                              const std::atomic<bool>* cancel) {
  const Parameters p = runParameters(setup, plan, r);
  const Choices ch = ReadChoices(p);
  // The value the run took: read back from its text, as the start reads it.
  const double value = p.number(plan.param).value_or(seriesValue(plan, r));
  std::vector<SeriesRow> rows;
  for (int i = 1; i <= 5; ++i) {
    if (!ch.takesPart(i)) continue;
    SeriesRow row;
    row.run = r;
    row.value = value;
    row.trajectory = i;
    rows.push_back(row);
  }
  auto failAll = [&](const Message& why) {
    for (SeriesRow& row : rows) {
      if (row.status == RunStatus::Finished) continue;
      row.status = RunStatus::Failed;
      row.message = why;
    }
  };

  Model m;
  m.KDfi = KDfi;
  const StartReport start = SetUp(m, p, ch);
  if (!start.wentThrough()) {
    failAll(refusal(start));
    return rows;
  }
  const double limit = plan.limit ? *plan.limit : kSeriesDefaultSteps * m.h;
  // A step that does not move the time on cannot reach the limit: the run
  // is bounded by its steps too.
  double maxSteps = m.h > 0 ? std::ceil(limit / m.h) + 1 : kSeriesDefaultSteps;
  if (plan.stepCap >= 0) maxSteps = std::min(maxSteps, double(plan.stepCap));
  size_t unfinished = rows.size();
  try {
    for (long steps = 0; unfinished > 0 && m.T < limit && double(steps) < maxSteps; ++steps) {
      if (cancel && steps % kCancelEvery == kCancelEvery - 1 && cancel->load()) return {};
      ReadRunParameters(m, p, ch);
      const StepOutcome out = Advance(m, ch);
      if (!out.finished) continue;
      for (SeriesRow& row : rows) {
        const int i = row.trajectory;
        if (row.status == RunStatus::Finished || !(m.Tfin[i] > 0)) continue;
        row.status = RunStatus::Finished;
        row.time = m.Tfin[i];
        row.path = m.Lmax[i];
        row.integrals = {m.ColMV[i], m.ColTmU[i], m.ColT[i], m.ColTpU[i]};
        row.energyError = m.E[i] - m.E0[i];
        --unfinished;
      }
    }
  } catch (const Failure&) {
    failAll(Message(Msg::SolveError));
  }
  return rows;
}

SeriesOutcome RunSeries(const Parameters& setup, double KDfi, const SeriesPlan& plan,
                        const SeriesOptions& options) {
  SeriesOutcome outcome;
  SeriesControl own;
  SeriesControl& control = options.control ? *options.control : own;

  // The runs of this part.
  std::vector<int> runs;
  for (int r = 1; r <= plan.count; ++r)
    if (options.part.has(r)) runs.push_back(r);
  outcome.runs = int(runs.size());
  control.total = outcome.runs;

  // A set-up that starts for no value of the whole series is refused before
  // any run: the values are tried in order until one starts.
  {
    std::optional<Message> first;
    bool starts = false;
    for (int r = 1; r <= plan.count && !starts; ++r) {
      if (control.cancel) break;
      const Parameters p = runParameters(setup, plan, r);
      Model m;
      m.KDfi = KDfi;
      const StartReport s = SetUp(m, p, ReadChoices(p));
      starts = s.wentThrough();
      if (!starts && !first) first = refusal(s);
    }
    if (!starts && !control.cancel) {
      outcome.refused = Message(Msg::SeriesRefused, either(row(plan.param).caption), *first);
      return outcome;
    }
  }

  int jobs = options.jobs > 0 ? options.jobs : int(std::thread::hardware_concurrency());
  jobs = std::clamp(jobs, 1, std::max(1, outcome.runs));

  std::vector<std::vector<SeriesRow>> results(runs.size());
  std::vector<char> made(runs.size(), 0);
  std::atomic<size_t> next{0};
  std::mutex mutex;
  std::condition_variable finished;
  int working = jobs;

  auto worker = [&] {
    for (;;) {
      const size_t k = next.fetch_add(1);
      if (k >= runs.size() || control.cancel) break;
      std::vector<SeriesRow> rows = RunOne(setup, KDfi, plan, runs[k], &control.cancel);
      if (control.cancel) break;  // a run cut short has no rows
      results[k] = std::move(rows);
      made[k] = 1;
      ++control.done;
    }
    std::lock_guard lock(mutex);
    if (--working == 0) finished.notify_all();
  };
  std::vector<std::thread> threads;
  threads.reserve(size_t(jobs));
  for (int j = 0; j < jobs; ++j) threads.emplace_back(worker);
  {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, std::chrono::milliseconds(200), [&] { return working == 0; })) {
      if (options.progress) {
        lock.unlock();
        options.progress(control.done, outcome.runs);
        lock.lock();
      }
    }
  }
  for (std::thread& t : threads) t.join();
  if (options.progress) options.progress(control.done, outcome.runs);

  for (size_t k = 0; k < runs.size(); ++k) {
    if (!made[k]) continue;
    ++outcome.done;
    for (SeriesRow& row : results[k]) outcome.rows.push_back(std::move(row));
  }
  outcome.cancelled = outcome.done < outcome.runs;
  return outcome;
}

std::string seriesTable(P param, const std::vector<SeriesRow>& rows, char separator,
                        std::string_view lineEnd) {
  std::string out = seriesTableHeader(param, separator);
  out += lineEnd;
  for (const SeriesRow& row : rows) {
    out += seriesTableRow(row, separator);
    out += lineEnd;
  }
  return out;
}

std::string seriesTableHeader(P param, char separator) {
  const char* const columns[] = {
      "run",           "",      "trajectory",   "status",       "time_s", "path_m", "int_m1V",
      "int_T_minus_U", "int_T", "int_T_plus_U", "E_minus_E0_J", "message"};
  std::string out;
  for (size_t k = 0; k < std::size(columns); ++k) {
    if (k > 0) out += separator;
    out += k == 1 ? row(param).name : columns[k];
  }
  return out;
}

std::string seriesTableRow(const SeriesRow& row, char separator) {
  std::string out = std::to_string(row.run);
  auto add = [&](const std::string& field) {
    out += separator;
    out += csvField(field, separator);
  };
  add(formatNumber(row.value));
  add(std::to_string(row.trajectory));
  add(statusWord(row.status));
  const bool done = row.status == RunStatus::Finished;
  const double numbers[] = {row.time,         row.path,         row.integrals[0], row.integrals[1],
                            row.integrals[2], row.integrals[3], row.energyError};
  for (double v : numbers) add(done ? formatNumber(v) : "");
  add(row.message ? oneLine(textOf(*row.message, Language::ru)) : "");
  return out;
}

std::string seriesCsv(P param, const std::vector<SeriesRow>& rows) {
  return seriesTable(param, rows, ',', "\r\n");
}

}  // namespace lumet
