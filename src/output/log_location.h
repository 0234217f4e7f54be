// Where the run log goes. Beside the program when its folder takes new files,
// so that a laboratory unpacked or built in a folder of its own keeps its log
// there; otherwise, and always for a program installed under /usr, in the
// user's data folder, created when needed.
#pragma once

#include <string>

namespace lumet {

struct LogFolder {
  std::string path;     // the folder of lumet.dat; empty when none is usable
  std::string problem;  // why neither folder is usable; empty when path is set
};

// programDir is the folder of the running program, dataDir the user's data
// folder for Lumet (it need not exist yet); either may be empty when the
// system does not name one.
LogFolder chooseLogFolder(const std::string& programDir, const std::string& dataDir);

// Whether the run files can be written in dir: a new file can be made there
// and a lumet.dat already there can be appended to. Nothing is changed; on
// false, why holds the reason.
bool takesLog(const std::string& dir, std::string& why);

}  // namespace lumet
