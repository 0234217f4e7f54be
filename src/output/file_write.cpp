#include "output/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "model/messages.h"

namespace lumet {

namespace {

// Writes all of bytes to fd, going on after a partial write or an
// interruption; the errno of the write that failed, or 0.
int writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;  // nothing taken and no reason given
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// Closes fd; error when it is set, otherwise the close's own failure (a file
// system may report a lost write only there).
int closeAfter(int fd, int error) {
  const int closed = ::close(fd) == 0 ? 0 : errno;
  return error ? error : closed;
}

// Opens, writes and closes path as it is: a device or a pipe.
Written writeInto(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return {errno};
  return {closeAfter(fd, writeAll(fd, bytes))};
}

// A new file beside target, made with the usual permissions (0666 less the
// umask); its name in name. -1 with errno when none can be made.
int makeSibling(const std::string& target, std::string& name) {
  const std::filesystem::path p(target);
  const std::string stem =
      (p.parent_path() / ("." + p.filename().string() + ".lumet-" + std::to_string(::getpid())))
          .string();
  for (int k = 0; k < 100; ++k) {
    name = stem + "-" + std::to_string(k);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes bytes into a new file beside target, flushed to the disk, and
// renames it over target; on any failure the new file is removed again and
// target is left as it was. mode is target's present mode, or -1 for a new
// file.
Written replaceFile(const std::string& target, std::string_view bytes, int mode) {
  std::string sibling;
  const int fd = makeSibling(target, sibling);
  if (fd < 0) return {errno};
  int error = writeAll(fd, bytes);
  if (!error && mode >= 0 && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) error = errno;
  if (!error && ::fsync(fd) != 0) error = errno;
  error = closeAfter(fd, error);
  if (!error && ::rename(sibling.c_str(), target.c_str()) != 0) error = errno;
  if (error) ::unlink(sibling.c_str());
  return {error};
}

}  // namespace

Written writeWholeFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return {ENOENT};
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    // A file yet to be made; any other reason (no permission to look, a
    // file in the way of a folder) is the write's failure already.
    if (errno != ENOENT) return {errno};
    return replaceFile(path, bytes, -1);
  }
  if (S_ISDIR(st.st_mode)) return {EISDIR};
  if (!S_ISREG(st.st_mode)) return writeInto(path, bytes);
  // Through a symbolic link the file it names is replaced, not the link.
  std::error_code ec;
  const std::filesystem::path target = std::filesystem::canonical(path, ec);
  if (ec) return {ec.value()};
  return replaceFile(target.string(), bytes, static_cast<int>(st.st_mode & 07777));
}

Written appendToFile(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return {errno};
  // A write that fails half-way is taken back, so that the file never ends
  // in a piece of an item.
  const off_t before = ::lseek(fd, 0, SEEK_END);
  const int error = writeAll(fd, bytes);
  if (error && before >= 0 && ::ftruncate(fd, before) != 0) {
    // The piece stays; the failure reported is the write's own.
  }
  return {closeAfter(fd, error)};
}

std::string writeReason(int error) {
  switch (error) {
    case ENOSPC: return "Нет места на диске";
    case EDQUOT: return "Превышена дисковая квота";
    case EACCES:
    case EPERM: return "Нет прав на запись";
    case EISDIR: return "На месте файла находится папка";
    case ENOENT: return "Нет такой папки";
    case ENOTDIR: return "В пути к файлу вместо папки стоит файл";
    case EROFS: return "Файловая система открыта только для чтения";
    default: return std::strerror(error);
  }
}

std::string writeFailureMessage(const std::string& path, int error) {
  return std::string(msg::kFileError) + "\r\n" + path + "\r\n" + writeReason(error);
}

}  // namespace lumet
