#include "output/csv.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <mutex>

#include "model/numbers.h"

namespace lumet {

const char* const kRunCsvHeader = "run,T,X,Y,VX,VY,FX,FY,E0,E";

std::string csvField(std::string_view text, char separator) {
  const char special[] = {separator, '"', '\r', '\n'};
  if (text.find_first_of(std::string_view(special, 4)) == std::string_view::npos)
    return std::string(text);
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  return out + '"';
}

namespace {

// "total" or "average" for all four integral columns, or one word a column
// in table order when they differ.
std::string form(const ResultTable& t) {
  int averaged = 0;
  std::string each;
  for (bool average : t.average) {
    averaged += average;
    each += each.empty() ? "" : " ";
    each += average ? "average" : "total";
  }
  if (averaged == 0) return "total";
  if (averaged == 4) return "average";
  return each;
}

}  // namespace

std::string resultsTable(const ResultTable& t, char separator, std::string_view lineEnd) {
  const std::string sep(1, separator), end(lineEnd);
  std::string out;
  for (const char* name : {"trajectory", "taking_part", "time_s", "int_m1V", "int_T_minus_U",
                           "int_T", "int_T_plus_U", "integral", "form"})
    out += (out.empty() ? "" : sep) + name;
  out += end;
  const std::string over = t.byPath ? "path" : "time";
  const std::string shape = csvField(form(t), separator);
  for (int k = 0; k < 5; ++k) {
    out += std::to_string(k + 1) + sep + (t.takingPart[k] ? "1" : "0");
    for (const auto& column : t.cells)
      out += sep + (column[k] ? csvField(formatBox(*column[k]), separator) : "");
    out += sep + over + sep + shape + end;
  }
  return out;
}

std::string resultsCsv(const ResultTable& t) { return resultsTable(t, ',', "\r\n"); }

std::string runCsvRow(const Model& m, std::string_view run) {
  const int i = m.iShow;
  std::string row = csvField(run);
  for (double v : {m.Tc, m.X[i], m.Y[i], m.VX[i], m.VY[i], m.FX[i], m.FY[i], m.E0[i], m.E[i]})
    row += "," + formatNumber(v);
  return row;
}

std::string runCsvPath(const std::string& logFile) {
  const size_t slash = logFile.rfind('/');
  return logFile.substr(0, slash == std::string::npos ? 0 : slash + 1) + "lumet.csv";
}

std::string runId(std::chrono::system_clock::time_point t, long pid) {
  using namespace std::chrono;
  const auto ms = floor<milliseconds>(t);
  const auto whole = floor<seconds>(ms);
  const std::time_t seconds = system_clock::to_time_t(whole);
  std::tm local{};
  char date[32] = "";
  if (localtime_r(&seconds, &local)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s.%03d-%ld", date, int((ms - whole).count()), pid);
  return buf;
}

std::string newRunId() {
  using namespace std::chrono;
  static std::mutex guard;
  static time_point<system_clock, milliseconds> last{};
  const std::lock_guard lock(guard);
  auto now = floor<milliseconds>(system_clock::now());
  if (now <= last) now = last + milliseconds(1);
  last = now;
  return runId(now, long(::getpid()));
}

}  // namespace lumet
