// Writing a whole file so that a crash or a full disk never leaves half of
// it: the text goes to a temporary file in the target's folder, which is
// flushed to the disk and then renamed over the target. Appending to a log
// that other Lumets may append to at the same time, so that a failure takes
// back only what this process wrote.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/messages.h"

namespace lumet {

// Writes text to path; 0 on success, otherwise the errno value of the step
// that failed (EISDIR when path is a folder, ENOENT when it ends in a slash
// and names no folder, ELOOP for a loop of symbolic links). The target is
// replaced only when every step succeeded; a failed write leaves it as it
// was and removes the temporary file. A character device that exists (such
// as /dev/full or /dev/null) and the program's own standard output
// (/dev/stdout, /dev/fd/N) have nothing to replace: they are written
// directly, every write checked. Anything else that is not a regular file
// (a FIFO, a socket, a block device) is refused with ENOTSUP without being
// opened, so that a save never waits for a reader.
int writeFileAtomically(const std::string& path, std::string_view text);

// The reason of a failed read or write by its errno value, for the message
// that names the file ("нет места на диске", ...).
Message fileProblem(int err);

// Where an append put its text: the bytes [start, end) of the file.
struct Appended {
  std::int64_t start = -1, end = -1;
};

// Appends text to path, creating the file when it is not there; 0 on
// success, otherwise the errno value of the step that failed (the open, a
// write or the close, where some file systems report a lost write). When
// header is given and the file is empty, header goes first, in the same
// write as text, so that it stands only at the top of the file.
//
// The text goes in one write() on a descriptor opened for appending, under
// an exclusive lock (flock) of the file that every Lumet takes for its
// appends and take-backs: texts of processes appending to one file at once
// never mix. A write that fails half-way is taken back, but only the bytes
// this process wrote and only while they still end the file: another
// process's data is never cut. A FIFO without a reader refuses at once
// (ENXIO) instead of blocking. Not flushed to the disk, so that a log
// written at every step stays cheap; a full disk is still reported by the
// write itself. *where, when given, receives the place of a successful
// append, for takeBack().
int appendToFile(const std::string& path, std::string_view text, std::string_view header = {},
                 Appended* where = nullptr);

// Takes back an append of this process (what appendToFile() put in
// *where): the file is cut where the append began when the append still
// ends the file; otherwise (another process has written after it, or the
// file has been replaced or cut) it is left as it is.
void takeBack(const std::string& path, const Appended& where);

}  // namespace lumet
