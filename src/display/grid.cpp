#include "display/display.h"

namespace lumet {

void DrawGrid1(Canvas& p) {
  p.scale(-5, 5, 5, -5);
  // A square grid of spacing 0.5 over the whole picture. It is drawn pair by
  // pair: for every (i, j) a row segment at height j/2 and a column segment
  // at abscissa i/2, each symmetric about the axes, so that the segments of
  // a row or a column grow to the full 21 lines each way.
  for (int i = -10; i <= 10; ++i) {
    for (int j = -10; j <= 10; ++j) {
      drawn(p.line(-i / 2.0, j / 2.0, i / 2.0, j / 2.0, kGridGrey));
      drawn(p.line(i / 2.0, -j / 2.0, i / 2.0, j / 2.0, kGridGrey));
    }
  }
  drawn(p.line(-5, 0, 5, 0, kColour1));
  drawn(p.line(0, -5, 0, 5, kColour1));
}

void DrawGrid2(Canvas& p) {
  p.scale(0, 4, 14, -4);
  drawn(p.line(0, 0, 14, 0, kGridGrey));
  for (int y : {1, 2, 3, -1, -2, -3}) drawn(p.line(0, y, 14, y, kColour1));
  for (int x = 2; x <= 12; x += 2) drawn(p.line(x, -4, x, 4, kColour1));
}

}  // namespace lumet
