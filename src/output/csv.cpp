#include "output/csv.h"

#include <sys/stat.h>

#include <cstdio>

#include "model/numbers.h"
#include "output/file_write.h"

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

int appendRunCsv(const std::string& logFile, std::string_view run, const Model& m) {
  const std::string path = runCsvPath(logFile);
  // The header goes first into a file that is new or empty.
  struct stat st {};
  std::string text;
  if (stat(path.c_str(), &st) != 0 || st.st_size == 0) text = std::string(kRunCsvHeader) + "\r\n";
  text += runCsvRow(m, run) + "\r\n";
  return appendToFile(path, text);
}

std::string localTimeIso(std::time_t t) {
  std::tm local{};
  char buf[32] = "";
  if (localtime_r(&t, &local)) std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &local);
  return buf;
}

}  // namespace lumet
