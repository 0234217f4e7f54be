#!/usr/bin/env bash
# Makes docs/screenshot.png from the README's race of the four rods: the
# window of the laboratory on a virtual display at 96 DPI, driven through
# the walkthrough's steps in their order, the run stopped at T = 4 s in
# mid-race, so that the beads show on their rods. The run is made of single
# steps, so the picture is the same at every making.
#   bash tools/screenshot.sh [FILE]      (default docs/screenshot.png)
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build build
out=$(realpath -m "${1:-docs/screenshot.png}")

steps=(
  Option5 Option16                    # 1. "плоское", "const"
  Text2=0                             # 2. q1 = 0
  Check1 Check2 Check3 Check4 Check5  # 3. tick "1-прямая" … "4-дуга", untick "5-нет"
  Text4=1000 Text5=1                  # 4. C1 = 1000, Kj1 = 1
  Text7=0 Text8=0                     # 5. VX = VY = 0
  Text9=0 Text10=100                  # 6. Xн = 0, Yн = 100
  Text19=100 Text20=0                 #    Xк = 100, Yк = 0
  Text54=0.01                         # 7. "шаг, с" = 0.01
  Text29=20 Text3=50 Text51=0.5       # 8. "Mx, м/см" = 20, "M, ед/см" = 50, "Mt, с/см" = 0.5
  Option2                             # 9. "2-циклоида" under the right picture
  Command7 Command1                   # 11. "Показать  траектории", "Начать    эксперимент"
)
# 12. "Остановить", here already once "T, с" has passed 4.
env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI QT_QPA_PLATFORM=xcb \
  LUMET_SCREENSHOT="$out" LUMET_SCREENSHOT_STEPS="${steps[*]}" LUMET_SCREENSHOT_T=4 \
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./build/lumet_gui_tests screenshotAfterARun
echo "Written: $out"
