#include "display/display.h"

namespace lumet {

void DrawGrid1(Lab& lab) {
  Canvas& p = *lab.Picture1;
  p.scale(-5, 5, 5, -5);
  // A square grid of spacing 0.5 over the whole picture, drawn as the
  // original did: every row and column line for every pair (i, j).
  for (int i = -10; i <= 10; ++i) {
    for (int j = -10; j <= 10; ++j) {
      p.line(-i / 2.0, j / 2.0, i / 2.0, j / 2.0, kGridGrey);
      p.line(i / 2.0, -j / 2.0, i / 2.0, j / 2.0, kGridGrey);
    }
  }
  p.line(-5, 0, 5, 0, kColour1);
  p.line(0, -5, 0, 5, kColour1);
}

void DrawGrid2(Lab& lab) {
  Canvas& p = *lab.Picture2;
  p.scale(0, 4, 14, -4);
  p.line(0, 0, 14, 0, kGridGrey);
  for (int y : {1, 2, 3, -1, -2, -3}) p.line(0, y, 14, y, kColour1);
  for (int x = 2; x <= 12; x += 2) p.line(x, -4, x, 4, kColour1);
}

}  // namespace lumet
