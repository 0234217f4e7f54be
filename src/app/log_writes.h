// The run log as a running experiment writes it: a header at every start and
// records during the run. A log that cannot be written does not stop the
// experiment: the user is told once, naming the file and the reason, and the
// run goes on without its log; the next start tries the log again.
#pragma once

#include <string>

#include "app/lab.h"

namespace lumet {

// The header line of a start; the log is taken up again first.
void WriteLogHeader(Lab& lab);
// A record of the shown trajectory; skipped while the log is off.
void WriteLogRecord(Lab& lab);

// The message of a file that cannot be written: "Ошибка записи в файл",
// then on the next line the file and the reason ("...: нет места на диске").
Message writeFailureMessage(const std::string& path, int err);

}  // namespace lumet
