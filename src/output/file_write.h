// Writing files so that a failure is never taken for success: every byte is
// checked to have been written and the file to have been closed (on a full
// disk, in a folder that is not there, without permission, with a folder in
// the way). Each write says why it failed, as the operating system's error
// number, which the messages name in the user's words.
#pragma once

#include <string>
#include <string_view>

namespace lumet {

struct Written {
  int error = 0;  // the errno of the first failed operation; 0 when all was written
  bool ok() const { return error == 0; }
};

// Replaces the whole file path by bytes, or leaves it as it was: the bytes go
// to a new file beside it, which is flushed to the disk and closed and only
// then renamed over path, so a reader never sees half a file. A path that
// names something other than a regular file (a device such as /dev/full, a
// pipe) is written straight into; a symbolic link keeps pointing to the
// file it names, which is the one replaced; a folder in the way is EISDIR.
[[nodiscard]] Written writeWholeFile(const std::string& path, std::string_view bytes);

// Appends bytes to path, creating the file when it is not there: opened,
// written to the last byte and closed, each step checked. Not flushed to the
// disk, so that a log written at every step stays cheap; a full disk is
// still reported by the write itself.
[[nodiscard]] Written appendToFile(const std::string& path, std::string_view bytes);

// Why a write failed, in Russian, for the laboratory's messages: the common
// reasons in the laboratory's own words, the others as the system says them.
std::string writeReason(int error);

// The message of a failed write: "Ошибка записи в файл", then the file and
// the reason, each on a line of its own.
std::string writeFailureMessage(const std::string& path, int error);

}  // namespace lumet
