// Shared by the benchmarks: pictures that draw nothing, questions answered
// yes, and a handler's context on an experiment with its log in a temporary
// folder.
#pragma once

#include <filesystem>
#include <string>

#include "app/lab.h"
#include "display/canvas.h"

namespace lumet::bench {

// A picture that draws nothing and keeps nothing.
class NullCanvas : public Canvas {
 public:
  void clear() override {}
  void scale(double, double, double, double) override {}
  bool line(double, double, double, double, Rgb) override { return true; }
  bool point(double, double, Rgb) override { return true; }
  bool circle(double, double, double, Rgb) override { return true; }
  bool arc(double, double, double, double, double, Rgb) override { return true; }
};

class Yes : public Asker {
 public:
  bool question(const Message&) override { return true; }
};

// A handler's context on null pictures (or the pictures given), its log in
// the temporary folder `name`, removed with it.
struct BenchLab {
  NullCanvas null1, null2;
  Yes yes;
  Experiment x;
  Report report;
  Lab lab;
  std::string dir;

  explicit BenchLab(const char* name, Canvas* picture1 = nullptr, Canvas* picture2 = nullptr)
      : lab(x, picture1 ? *picture1 : null1, picture2 ? *picture2 : null2, yes, report),
        dir((std::filesystem::temp_directory_path() / name).string()) {
    std::filesystem::create_directories(dir);
    x.logDir = dir;
  }
  ~BenchLab() { std::filesystem::remove_all(dir); }
  BenchLab(const BenchLab&) = delete;
  BenchLab& operator=(const BenchLab&) = delete;

  // The messages the handlers showed (a step that failed shows one).
  size_t messages() const { return report.messages.size(); }
  void choose(P p, const char* word) { x.p.choose(p, *choiceByWord(p, word)); }
};

}  // namespace lumet::bench
