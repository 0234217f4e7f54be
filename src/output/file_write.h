// Writing a whole file so that a crash or a full disk never leaves half of
// it: the text goes to a temporary file in the target's folder, which is
// flushed to the disk and then renamed over the target.
#pragma once

#include <string>
#include <string_view>

namespace lumet {

// Writes text to path; 0 on success, otherwise the errno value of the step
// that failed (EISDIR when path is a folder). The target is replaced only
// when every step succeeded; a failed write leaves it as it was and removes
// the temporary file. A target that exists but is not a regular file (a
// device such as /dev/full, a pipe) and the program's own standard output
// (/dev/stdout, /dev/fd/N) have nothing to replace: they are written
// directly, every write checked.
int writeFileAtomically(const std::string& path, std::string_view text);

// A Russian phrase for the errno value of a failed read or write, for the
// message that names the file ("нет места на диске", ...).
std::string fileProblem(int err);

}  // namespace lumet
