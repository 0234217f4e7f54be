// The run log lumet.dat: a header line per start and two-line records while
// "File" is checked. Every write opens the file for appending, writes one
// item and CR LF, and closes it again.
#pragma once

#include <string>
#include <string_view>

#include "model/model.h"

namespace lumet {

// Full path of the log in the directory dir (the current directory when
// dir is empty).
std::string logPath(const std::string& dir);
// Appends item and CR LF in one write; 0, or the errno value when the file
// cannot be opened, written or closed (nothing of the item stays then).
[[nodiscard]] int appendLog(const std::string& dir, std::string_view item);
// Appends the record of trajectory iShow to the log in dir and its row of
// the run run to lumet.csv beside it (the header first into a new table):
// both or neither, so that the two files hold the same records. 0, or the
// errno value of the write that failed, with *failed the file it was for;
// a record whose row fails is taken back, as far as takeBack() can.
[[nodiscard]] int appendRecord(const std::string& dir, std::string_view run, const Model& m,
                               std::string* failed);
// The header of a start: masses, charges, start point and speed, Rz.
std::string headerLine(const Model& m);
// The record of trajectory iShow: time and number, then its state and energy.
std::string recordItem(const Model& m);

}  // namespace lumet
