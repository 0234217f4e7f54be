#include "app/log_writes.h"

#include "model/messages.h"
#include "output/csv.h"
#include "output/file_write.h"
#include "output/runlog.h"

namespace lumet {

namespace {

// One file of the run, written by write (0, or the errno value of its
// failure): skipped while the log is off; a failure turns the log off and
// is told once. Other files of the run (a table beside the log) go through
// here as well, under the same rule.
template <class Write>
void writeRunFile(Lab& lab, const std::string& path, Write write) {
  if (lab.logOff) return;
  const int err = write();
  if (err == 0) return;
  // Off before the message, so that nothing is written while it is open.
  lab.logOff = true;
  lab.message(writeFailureMessage(path, err));
}

}  // namespace

void WriteLogHeader(Lab& lab) {
  lab.logOff = false;
  writeRunFile(lab, logPath(lab.logDir), [&] { return appendLog(lab.logDir, headerLine(lab.m)); });
}

void WriteLogRecord(Lab& lab) {
  // The record and its row of the table beside the log, both or neither;
  // the message names the file that failed, which the write sets.
  std::string failed;
  writeRunFile(lab, failed, [&] { return appendRecord(lab.logDir, lab.runStart, lab.m, &failed); });
}

std::string writeFailureMessage(const std::string& path, int err) {
  return std::string(msg::kFileError) + "\r\n" + path + ": " + fileProblem(err);
}

}  // namespace lumet
