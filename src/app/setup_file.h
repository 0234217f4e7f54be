// Set-up files (.lumet): every parameter by its name, the cycloid
// tolerance's divisor KDfi, a title and a description (a plain string is the
// Russian text; an object gives it by language: {"ru": ..., "en": ...}), as
// UTF-8 JSON
//   {"format": "lumet-setup", "version": 2, "title": ..., "description": ...,
//    "parameters": {"m1": "1e-21", "euler": false, "field": "flat", ...},
//    "KDfi": 100000}
// A number's text is kept exactly as typed; a switch is true or false; a
// choice is its word. A file may name only the parameters that differ from
// the defaults; a saved file names them all. Version 1 files, which named
// the form's controls by the boxes of the parameter table ("controls": {...}),
// open as before. Opening is all or nothing: a file with any problem changes
// nothing and gives one message naming the file and the first problem.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/experiment.h"
#include "model/messages.h"

namespace lumet {

// The version of the format this build writes and the newest it reads.
constexpr int kSetupVersion = 2;
// Files larger than this are refused before they are parsed.
constexpr size_t kSetupMaxBytes = 1 << 20;
// A number's text holds at most this many characters (a line edit's limit);
// a title and a description at most these.
constexpr size_t kSetupMaxText = 32767;
constexpr size_t kSetupMaxTitle = 200, kSetupMaxDescription = 2000;

// A set-up: every parameter, KDfi, title and description.
struct Setup {
  Parameters parameters;
  double KDfi = 100000;
  LocalText title, description;  // in one language or several
};

// The experiment's current set-up, with the title and description it keeps.
Setup captureSetup(const Experiment& x);
// The set-up's JSON text (two-blank indent, UTF-8, a final line feed).
std::string setupText(const Setup& s);

// A set-up read from text, or the first problem ("неизвестный параметр
// «X»"). No file is touched: a fuzzer may call it.
struct SetupRead {
  std::optional<Setup> setup;
  Message problem;
};
SetupRead parseSetup(std::string_view text);
// The same for a file (refused when unreadable, not a regular file or larger
// than kSetupMaxBytes).
SetupRead readSetupFile(const std::string& path);
// The message for a refused file: "Не удалось открыть установку «NAME»: ...".
Message setupRefusal(const std::string& path, const Message& problem);

// Puts the set-up's parameters, KDfi, title and description into the
// experiment; the run, if any, ends: it is to be started anew.
void applySetup(Experiment& x, const Setup& s);

// What a save of the set-up did: 0, or the errno value of the failed step
// (see writeFileAtomically); or, with nothing written, the problem for which
// the file would be refused when it is opened again (a text too long for a
// box, a file too large): a saved set-up always opens.
struct SetupSaved {
  int err = 0;
  std::optional<Message> refused;
  bool ok() const { return err == 0 && !refused; }
};
SetupSaved SaveSetup(const Experiment& x, const std::string& path);
// Saves the result table; 0 or the errno value of the failed step.
int SaveResults(const Experiment& x, const std::string& path);

}  // namespace lumet
