#include "output/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>

namespace lumet {

namespace {

// Writes all of text to fd, resuming after partial writes and signals.
int writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    text.remove_prefix(size_t(n));
  }
  return 0;
}

// A device or a pipe: written where it stands (no rename and no fsync,
// which such files do not support).
int writeInPlace(const std::string& path, std::string_view text) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = writeAll(fd, text);
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

// The program's own open file that path names (/dev/stdout, /dev/fd/3), or
// -1. It is written through its descriptor, so that the text lands where
// the program's other output goes; a rename would take the name from under
// the open file.
int ownDescriptor(const std::string& path) {
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  for (std::string_view dir : {"/dev/fd/", "/proc/self/fd/"}) {
    if (path.rfind(dir, 0) != 0) continue;
    int fd = -1;
    const char* end = path.data() + path.size();
    auto [ptr, ec] = std::from_chars(path.data() + dir.size(), end, fd);
    return ec == std::errc() && ptr == end ? fd : -1;
  }
  return -1;
}

// The permissions a new file gets: read and write for all, less the umask.
mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

int writeFileAtomically(const std::string& path, std::string_view text) {
  if (path.empty()) return ENOENT;
  if (int fd = ownDescriptor(path); fd >= 0) return writeAll(fd, text);
  std::string target = path;
  mode_t mode = newFileMode();
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return writeInPlace(path, text);
    // A link to a set-up is kept a link: the file it points to is replaced.
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
    mode = st.st_mode & 07777;
  }
  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = target.substr(dir.size());
  if (base.empty()) return EISDIR;
  // A hidden name in the same folder, so that the rename stays on one disk.
  std::string temp = dir + "." + base.substr(0, 200) + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  int err = ::fchmod(fd, mode) == 0 ? 0 : errno;
  if (err == 0) err = writeAll(fd, text);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) ::unlink(temp.c_str());
  return err;
}

Message fileProblem(int err) {
  switch (err) {
    case ENOENT: return Msg::NoSuchFile;
    case EACCES:
    case EPERM: return Msg::NoPermission;
    case EISDIR: return Msg::IsFolder;
    case ENOSPC: return Msg::DiskFull;
    case EDQUOT: return Msg::QuotaExceeded;
    case EROFS: return Msg::ReadOnlyDisk;
    case EFBIG: return Msg::FileTooLarge;
    case ENAMETOOLONG: return Msg::NameTooLong;
    case ENOTDIR: return Msg::FileInPath;
    default: return Message(Msg::IoErrorCode, std::to_string(err));
  }
}

int appendToFile(const std::string& path, std::string_view text) {
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  const off_t before = ::lseek(fd, 0, SEEK_END);
  int err = writeAll(fd, text);
  if (err != 0 && before >= 0 && ::ftruncate(fd, before) != 0) {
    // The piece a failed write left stays; the failure reported is the write's.
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

}  // namespace lumet
