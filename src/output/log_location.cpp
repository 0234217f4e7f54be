#include "output/log_location.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace lumet {

namespace {

std::string withSlash(std::string dir) {
  if (dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

bool takesLog(const std::string& dir, std::string& why) {
  if (dir.empty()) {
    why = "no folder";
    return false;
  }
  // A file made and removed again is the only sure test: permission bits
  // say nothing to root, nor about a read-only mount or an access list.
  std::string probe = withSlash(dir) + ".lumet-probe-XXXXXX";
  int fd = mkstemp(probe.data());
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  close(fd);
  unlink(probe.c_str());
  std::string log = withSlash(dir) + "lumet.dat";
  std::error_code ec;
  if (std::filesystem::exists(log, ec)) {
    // Opened for appending and closed at once: the file keeps its content.
    std::FILE* f = std::fopen(log.c_str(), "ab");
    if (!f) {
      why = log + ": " + std::strerror(errno);
      return false;
    }
    std::fclose(f);
  }
  return true;
}

LogFolder chooseLogFolder(const std::string& programDir, const std::string& dataDir) {
  std::string programWhy, dataWhy;
  // /usr holds installed software and is read-only by the rules of the file
  // system: an installed program run by root must not leave its log there.
  if (programDir == "/usr" || programDir.starts_with("/usr/"))
    programWhy = "installed program";
  else if (takesLog(programDir, programWhy))
    return {programDir, ""};
  if (dataDir.empty()) {
    dataWhy = "no folder";
  } else {
    std::error_code ec;
    std::filesystem::create_directories(dataDir, ec);
    if (ec)
      dataWhy = ec.message();
    else if (takesLog(dataDir, dataWhy))
      return {dataDir, ""};
  }
  return {"", "cannot write the run log in the program's folder " + programDir + " (" + programWhy +
                  ") nor in the user's data folder " + dataDir + " (" + dataWhy + ")"};
}

}  // namespace lumet
