#include "app/log_writes.h"

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
  if (lab.x.logOff) return;
  const int err = write();
  if (err == 0) return;
  lab.x.logOff = true;
  lab.message(writeFailureMessage(path, err));
}

}  // namespace

void WriteLogHeader(Lab& lab) {
  lab.x.logOff = false;
  const std::string& dir = lab.x.logDir;
  writeRunFile(lab, logPath(dir), [&] { return appendLog(dir, headerLine(lab.m)); });
}

void WriteLogRecord(Lab& lab) {
  // The record and its row of the table beside the log, both or neither;
  // the message names the file that failed, which the write sets.
  std::string failed;
  writeRunFile(lab, failed,
               [&] { return appendRecord(lab.x.logDir, lab.x.runStart, lab.m, &failed); });
}

Message writeFailureMessage(const std::string& path, int err) {
  return Message(Msg::WriteFailed, path, fileProblem(err));
}

}  // namespace lumet
