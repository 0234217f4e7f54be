#include "output/file_write.h"

#include <fcntl.h>
#include <sys/file.h>
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

// Opens path for writing without waiting for anything (a FIFO without a
// reader, a terminal line without carrier refuse or open at once); the
// writes that follow block as usual. -1 with errno set on failure.
int openWithoutWaiting(const std::string& path, int flags, mode_t mode = 0) {
  const int fd = ::open(path.c_str(), flags | O_WRONLY | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  const int now = ::fcntl(fd, F_GETFL);
  if (now != -1) ::fcntl(fd, F_SETFL, now & ~O_NONBLOCK);
  return fd;
}

// A character device such as /dev/full: written where it stands (no rename
// and no fsync, which such files do not support).
int writeInPlace(const std::string& path, std::string_view text) {
  int fd = openWithoutWaiting(path, 0);
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

// The exclusive lock every Lumet holds on a regular file while it appends
// to it or takes an append back; released when the descriptor is closed.
// A file system without locks is written unlocked: the take-back's own
// check still keeps it from cutting another's data.
void lockForAppending(int fd) {
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

// Appends text to fd (opened for appending and locked) in one write,
// resumed only after a short write; *where receives the bytes the last
// piece took (all of them, unless another writer came in between).
int appendAll(int fd, std::string_view text, Appended& where) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // With O_APPEND the offset after a write is the end of what it wrote.
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    if (end >= 0) {
      if (where.end != end - n) where.start = end - n;
      where.end = end;
    }
    text.remove_prefix(size_t(n));
  }
  return 0;
}

// Cuts the file at where.start when where.end is still its end and the
// file is a regular one; leaves it whole otherwise.
void cutBack(int fd, const Appended& where) {
  struct stat st;
  if (where.start < 0 || where.end <= where.start) return;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != where.end) return;
  if (::ftruncate(fd, where.start) != 0) {
    // The piece stays; the failure reported is the write's.
  }
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
    if (S_ISCHR(st.st_mode)) return writeInPlace(path, text);
    if (!S_ISREG(st.st_mode)) return ENOTSUP;
    // A link to a set-up is kept a link: the file it points to is replaced.
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
    mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    // A loop of links, a file where a folder should be, no access: the
    // reason opening the name would give. A rename would replace the link.
    return errno;
  }
  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = target.substr(dir.size());
  // "missing/" names a folder, and there is none of that name.
  if (base.empty()) return ENOENT;
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
    case ELOOP: return Msg::LinkLoop;
    case EEXIST: return Msg::FileExists;
    case EBUSY: return Msg::FileBusy;
    case ETXTBSY: return Msg::ProgramBusy;
    case EMFILE: return Msg::TooManyOpenHere;
    case ENFILE: return Msg::TooManyOpen;
    case ENXIO: return Msg::NoReader;
    case EAGAIN: return Msg::TryAgain;
    case ENOTSUP: return Msg::NotRegularFile;
    case EIO: return Msg::IoError;
    case EINVAL: return Msg::InvalidArgument;
    case ENOMEM: return Msg::NoMemory;
    case EXDEV: return Msg::OtherDisk;
    case ENODEV: return Msg::NoDevice;
    case EBADF: return Msg::BadDescriptor;
    case EINTR: return Msg::Interrupted;
    case ESTALE: return Msg::StaleFile;
    case EMLINK: return Msg::TooManyLinks;
    case EOVERFLOW: return Msg::ValueTooLarge;
    default: return Message(Msg::ErrorCode, std::to_string(err));
  }
}

int appendToFile(const std::string& path, std::string_view text, std::string_view header,
                 Appended* where) {
  int fd = openWithoutWaiting(path, O_APPEND | O_CREAT, 0666);
  if (fd < 0) return errno;
  struct stat st;
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (regular) lockForAppending(fd);
  // The header and the text in one write: the size seen under the lock is
  // the size the write meets.
  std::string withHeader;
  if (!header.empty() && regular && ::fstat(fd, &st) == 0 && st.st_size == 0) {
    withHeader = std::string(header) + std::string(text);
    text = withHeader;
  }
  Appended wrote;
  int err = appendAll(fd, text, wrote);
  if (err != 0) cutBack(fd, wrote);
  if (::close(fd) != 0 && err == 0) {
    err = errno;
    takeBack(path, wrote);
  }
  if (err == 0 && where) *where = wrote;
  return err;
}

void takeBack(const std::string& path, const Appended& where) {
  if (where.start < 0) return;
  const int fd = openWithoutWaiting(path, 0);
  if (fd < 0) return;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    lockForAppending(fd);
    cutBack(fd, where);
  }
  ::close(fd);
}

}  // namespace lumet
