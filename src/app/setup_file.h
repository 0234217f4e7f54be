// Set-up files (.lumet): the state of every input control of the window, the
// cycloid tolerance's divisor KDfi, a title and a description, as UTF-8 JSON
//   {"format": "lumet-setup", "version": 1, "title": ..., "description": ...,
//    "controls": {"Text1": "1e-21", "Check1": true, ...}, "KDfi": 100000}
// A file may name only the controls that differ from the defaults; a saved
// file names them all. Opening is all or nothing: a file with any problem
// changes nothing and gives one message naming the file and the first
// problem.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/lab.h"

namespace lumet {

// The version of the format this build writes and the newest it reads.
constexpr int kSetupVersion = 1;
// Files larger than this are refused before they are parsed.
constexpr size_t kSetupMaxBytes = 1 << 20;
// A text box holds at most this many characters (a line edit's limit).
constexpr size_t kSetupMaxText = 32767;

// Whether a control belongs to a set-up: the text boxes the user types the
// parameters into, every check box and every option button.
bool isSetupInput(ControlId id);
// Those controls in control-table order.
const std::vector<ControlId>& setupInputs();

// A set-up: every input control's state (the other controls of `controls`
// stay at their defaults), KDfi, title and description.
struct Setup {
  Controls controls;
  double KDfi = 100000;
  std::string title, description;
};

// The laboratory's current set-up, with the title and description it keeps.
Setup captureSetup(const Lab& lab);
// The set-up's JSON text (two-blank indent, UTF-8, a final line feed).
std::string setupText(const Setup& s);

// A set-up read from text, or the first problem in Russian ("неизвестный
// элемент управления «Text99»"). No file is touched: a fuzzer may call it.
struct SetupRead {
  std::optional<Setup> setup;
  std::string problem;
};
SetupRead parseSetup(std::string_view text);
// The same for a file (refused when unreadable, not a regular file or larger
// than kSetupMaxBytes).
SetupRead readSetupFile(const std::string& path);
// The message for a refused file: "Не удалось открыть установку «NAME»: ...".
std::string setupRefusal(const std::string& path, std::string_view problem);

// Puts the set-up into the controls and KDfi (the run, if any, stops).
void applySetup(Lab& lab, const Setup& s);

// Opens a set-up file: applies it and returns true, or shows the refusal
// message and changes nothing.
bool OpenSetup(Lab& lab, const std::string& path);
// Saves the current set-up and the result table; 0 or the errno value of the
// failed step (see writeFileAtomically).
int SaveSetup(const Lab& lab, const std::string& path);
int SaveResults(const Lab& lab, const std::string& path);

}  // namespace lumet
