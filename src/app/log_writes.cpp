#include "app/log_writes.h"

#include "output/runlog.h"

namespace lumet {

namespace {

void writeItem(Lab& lab, std::string_view item) {
  if (lab.logOff) return;
  const Written w = appendLog(lab.logDir, item);
  if (w.ok()) return;
  // Turned off before the message, so that nothing writes while it is open.
  lab.logOff = true;
  lab.message(writeFailureMessage(logPath(lab.logDir), w.error));
}

}  // namespace

void WriteLogHeader(Lab& lab) {
  lab.logOff = false;
  writeItem(lab, headerLine(lab.m));
}

void WriteLogRecord(Lab& lab) { writeItem(lab, recordItem(lab.m)); }

}  // namespace lumet
