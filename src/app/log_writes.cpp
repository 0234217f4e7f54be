#include "app/log_writes.h"

#include "model/messages.h"
#include "output/file_write.h"
#include "output/runlog.h"

namespace lumet {

namespace {

void writeItem(Lab& lab, std::string_view item) {
  if (lab.logOff) return;
  const int err = appendLog(lab.logDir, item);
  if (err == 0) return;
  // Off before the message, so that nothing is written while it is open.
  lab.logOff = true;
  lab.message(writeFailureMessage(logPath(lab.logDir), err));
}

}  // namespace

void WriteLogHeader(Lab& lab) {
  lab.logOff = false;
  writeItem(lab, headerLine(lab.m));
}

void WriteLogRecord(Lab& lab) { writeItem(lab, recordItem(lab.m)); }

std::string writeFailureMessage(const std::string& path, int err) {
  return std::string(msg::kFileError) + "\r\n" + path + ": " + fileProblem(err);
}

}  // namespace lumet
