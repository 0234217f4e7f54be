// The scenario runner behind lumet-batch: the laboratory and its form on two
// pictures that keep their images, driven by a script one command a line.
// Controls are named as the form names them (Text29, Check1, Option5, ...)
// or by the parameters and values they show (Mx, euler, field flat, T5).
// Message boxes and questions are written to the output as they are shown.
#pragma once

#include <deque>
#include <iosfwd>
#include <sstream>
#include <string>

#include "app/laboratory.h"
#include "app/series.h"
#include "form/form.h"
#include "gui/image_canvas.h"

namespace lumet::batch {

// A line that is not a command, or that cannot be carried out; the script
// ends there.
struct ScriptError {
  std::string what;
};

// Message boxes as lines of the output; questions answered from a queue
// (Yes when it is empty).
class BatchDialogs : public Asker {
 public:
  explicit BatchDialogs(std::ostream& out) : out_(out) {}
  void message(const Message& text);
  bool question(const Message& text) override;
  std::deque<bool> answers;
  Language language = Language::ru;

 private:
  std::ostream& out_;
};

// Bounds of a run, for a fuzzer that drives the runner with made-up scripts,
// each of which must run in milliseconds.
struct RunLimits {
  // Steps (of the ticks, at their speed, and presses of "Сделать 1 шаг
  // решения") the whole script may make; a tick or press that would pass
  // them is not made, and the script goes on; a series shares them among
  // its runs. Negative: no bound.
  long steps = -1;
};

class Runner {
 public:
  Runner(std::string logDir, std::ostream& out, RunLimits limits = {});

  // Runs one line; false when the script ends here ("Выход"). Throws
  // ScriptError.
  bool run(const std::string& line);

  Laboratory& laboratory() { return lab_; }
  Form& form() { return form_; }
  // The language of the messages and the manual it prints (Russian unless
  // --lang says otherwise); commands and everything else are the same in
  // every language.
  void setLanguage(Language language) { dialogs_.language = language; }
  // How `save series` runs its series: the threads (0: every core), the
  // part of it this process makes, and whether a progress line goes to
  // standard error.
  void setSeriesOptions(int jobs, SeriesPart part, bool progress) {
    seriesJobs_ = jobs;
    seriesPart_ = part;
    seriesProgress_ = progress;
  }

 private:
  // One line being run: its text and the words after the command.
  struct Line {
    const std::string& text;
    std::istringstream words;
    std::string word();  // the next word, "" when there is none
    void end();          // nothing may follow
  };
  using Command = void (Runner::*)(Line&);
  struct CommandEntry {
    const char* name;
    Command run;
  };
  static const CommandEntry kCommands[];

  bool mayStep(long steps);    // counts steps against the limit; false past it
  void show(const Report& r);  // the report's messages; the manual when asked for

  void set(Line& l);
  void check(Line& l);
  void select(Line& l);
  void click(Line& l);
  void tick(Line& l);
  void answer(Line& l);
  void print(Line& l);
  void save(Line& l);
  void open(Line& l);
  void speed(Line& l);
  void series(Line& l);
  void limit(Line& l);
  void saveSeries(const std::string& file);
  std::string printed(const std::string& name) const;

  std::ostream& out_;
  RunLimits limits_;
  bool exit_ = false;  // "Выход" was pressed
  ImageCanvas picture1_, picture2_;
  BatchDialogs dialogs_;
  Laboratory lab_;
  Form form_;
  // The series of the last `series` line (its words as given) and `limit`.
  struct SeriesWords {
    std::string name, from, to, count;
    bool log = false;
  };
  std::optional<SeriesWords> series_;
  std::string limit_;
  int seriesJobs_ = 0;
  SeriesPart seriesPart_;
  bool seriesProgress_ = false;
};

}  // namespace lumet::batch
