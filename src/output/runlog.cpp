#include "output/runlog.h"

#include "model/numbers.h"
#include "output/csv.h"
#include "output/file_write.h"

namespace lumet {

std::string logPath(const std::string& dir) {
  if (dir.empty()) return "lumet.dat";
  std::string path = dir;
  if (path.back() != '/') path += '/';
  return path + "lumet.dat";
}

int appendLog(const std::string& dir, std::string_view item) {
  std::string line(item);
  line += "\r\n";
  return appendToFile(logPath(dir), line);
}

int appendRecord(const std::string& dir, std::string_view run, const Model& m,
                 std::string* failed) {
  const std::string log = logPath(dir);
  *failed = log;
  Appended record;
  if (int err = appendToFile(log, recordItem(m) + "\r\n", {}, &record)) return err;
  *failed = runCsvPath(log);
  const int err =
      appendToFile(*failed, runCsvRow(m, run) + "\r\n", std::string(kRunCsvHeader) + "\r\n");
  if (err != 0) takeBack(log, record);
  return err;
}

std::string headerLine(const Model& m) {
  return "m1= " + formatNumber(m.m1) + "    m2= " + formatNumber(m.m2) +
         "    q1= " + formatNumber(m.q1) + "    q2= " + formatNumber(m.q2) +
         "    Xn= " + formatNumber(m.Xn) + "    Yn= " + formatNumber(m.Yn) +
         "    VXn= " + formatNumber(m.VXn) + "    VYn= " + formatNumber(m.VYn) +
         "    Rz= " + formatNumber(m.Rz);
}

std::string recordItem(const Model& m) {
  int i = m.iShow;
  return "T= " + formatNumber(m.Tc) + "    i= " + std::to_string(i) + "\r\n" +
         "X= " + formatNumber(m.X[i]) + "    Y= " + formatNumber(m.Y[i]) +
         "    VX= " + formatNumber(m.VX[i]) + "    VY= " + formatNumber(m.VY[i]) +
         "    FX= " + formatNumber(m.FX[i]) + "    FY= " + formatNumber(m.FY[i]) +
         "    E0= " + formatNumber(m.E0[i]) + "    E= " + formatNumber(m.E[i]);
}

}  // namespace lumet
