// Tables for a spreadsheet (RFC 4180: comma-separated, CR LF line ends,
// '.' decimals): the result table of the trajectories, and lumet.csv, which
// receives every record of the run log as one row.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "model/model.h"

namespace lumet {

// One field: quoted, with inner quotes doubled, when it holds the separator
// (a comma, or a tab in a table for the clipboard), a quote, CR or LF; as it
// is otherwise.
std::string csvField(std::string_view text, char separator = ',');

// The result table as the laboratory shows it: which trajectories take part,
// and for each its travel time and four integrals (none before they are
// first shown), with what they are taken over and their form.
struct ResultTable {
  std::array<bool, 5> takingPart{};
  // cells[column][k]: the time, then the integrals of m1·V, T − U, T and
  // T + U, of trajectory k + 1.
  std::array<std::array<std::optional<double>, 5>, 5> cells{};
  bool byPath = false;
  std::array<bool, 4> average{};  // the integral columns as averages
};

// The result table as CSV: a header row, then trajectories 1..5 with
// whether they take part, the travel time, the four integrals (as a box
// shows them, empty where none is shown), what they are taken over ("time"
// or "path") and their form ("total" or "average"; four words when the
// columns differ).
std::string resultsCsv(const ResultTable& t);
// The same table with another separator and line end: tab-separated with
// LF for the clipboard, where a spreadsheet takes it as cells.
std::string resultsTable(const ResultTable& t, char separator, std::string_view lineEnd);

// The header of lumet.csv and the row of the log's record of trajectory
// iShow, begun by the start at local time run.
extern const char* const kRunCsvHeader;
std::string runCsvRow(const Model& m, std::string_view run);

// Full path of lumet.csv beside the run log at logFile.
std::string runCsvPath(const std::string& logFile);

// The `run` column of a start at time t by the process pid: the local date
// and time to the millisecond, then the process, 2026-12-08T10:15:02.123-4711.
// ISO 8601 with a suffix: runs sort by their start, and two Lumets started
// in the same millisecond still differ.
std::string runId(std::chrono::system_clock::time_point t, long pid);
// The `run` of a start now by this process. A start in a millisecond that
// an earlier start of this process already took counts as the next one, so
// that no two runs share the value.
std::string newRunId();

}  // namespace lumet
