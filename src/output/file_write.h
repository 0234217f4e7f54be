// Writing a whole file so that a crash or a full disk never leaves half of
// it: the text goes to a temporary file in the target's folder, which is
// flushed to the disk and then renamed over the target.
#pragma once

#include <string>
#include <string_view>

#include "model/messages.h"

namespace lumet {

// Writes text to path; 0 on success, otherwise the errno value of the step
// that failed (EISDIR when path is a folder). The target is replaced only
// when every step succeeded; a failed write leaves it as it was and removes
// the temporary file. A target that exists but is not a regular file (a
// device such as /dev/full, a pipe) and the program's own standard output
// (/dev/stdout, /dev/fd/N) have nothing to replace: they are written
// directly, every write checked.
int writeFileAtomically(const std::string& path, std::string_view text);

// The reason of a failed read or write by its errno value, for the message
// that names the file ("нет места на диске", ...).
Message fileProblem(int err);

// Appends text to path, creating the file when it is not there; 0 on
// success, otherwise the errno value of the step that failed (the open, a
// write or the close, where some file systems report a lost write). A write
// that fails half-way is taken back, so the file never ends in a piece of
// the text. Not flushed to the disk, so that a log written at every step
// stays cheap; a full disk is still reported by the write itself.
int appendToFile(const std::string& path, std::string_view text);

}  // namespace lumet
