// Shared by the benchmarks: pictures that draw nothing, message boxes that
// only count, and a laboratory on them with its log in a temporary folder.
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

// Message boxes that count what they were asked to show and answer yes.
class SilentDialogs : public Dialogs {
 public:
  void message(std::string_view) override { ++count; }
  bool question(std::string_view) override { return true; }
  int count = 0;
};

// A laboratory on null pictures, its log in the temporary folder `name`,
// removed with it.
struct BenchLab {
  NullCanvas p1, p2;
  SilentDialogs dialogs;
  Lab lab;
  std::string dir;

  explicit BenchLab(const char* name)
      : dir((std::filesystem::temp_directory_path() / name).string()) {
    std::filesystem::create_directories(dir);
    lab.Picture1 = &p1;
    lab.Picture2 = &p2;
    lab.dialogs = &dialogs;
    lab.logDir = dir;
  }
  ~BenchLab() { std::filesystem::remove_all(dir); }
  BenchLab(const BenchLab&) = delete;
  BenchLab& operator=(const BenchLab&) = delete;
};

}  // namespace lumet::bench
