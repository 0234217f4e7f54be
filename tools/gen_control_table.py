#!/usr/bin/env python3
"""Writes src/model/control_table.cpp from the layout below (names, kinds,
captions, frames, places in twips, initial text or state), formatted with the
repository's .clang-format.

    tools/gen_control_table.py            write the table
    tools/gen_control_table.py --check    fail when the table differs from
                                          what the layout below gives
    tools/gen_control_table.py -o FILE    write it elsewhere
"""
import argparse
import difflib
import os
import subprocess
import sys

T = []  # (name, kind, caption, frame, l, t, w, h, initial)

def text(n, l, t, w, h, init=""):
    T.append((f"Text{n}", "Text", "", None, l, t, w, h, init))

def check(n, cap, l, t, init="", frame=None):
    T.append((f"Check{n}", "Check", cap, frame, l, t, 0, 0, init))

def option(n, cap, frame, l, t, init=""):
    T.append((f"Option{n}", "Option", cap, frame, l, t, 0, 0, init))

def frame(n, cap, l, t, w, h):
    T.append((f"Frame{n}", "Frame", cap, None, l, t, w, h, ""))

def command(n, cap, l, t, w, h):
    T.append((f"Command{n}", "Command", cap, None, l, t, w, h, ""))

# Body parameters.
text(1, 240, 120, 615, 285, "1e-21"); text(11, 1120, 120, 615, 285, "5976"); text(21, 2180, 120, 375, 285, "21")
text(2, 240, 480, 615, 285, "-5"); text(12, 1120, 480, 615, 285, "5"); text(22, 2180, 480, 375, 285, "-4")
text(13, 240, 840, 615, 285, "6378"); text(23, 1320, 840, 375, 285, "3")
text(4, 240, 1200, 615, 285, "10"); text(24, 1680, 1200, 420, 285, "2")
text(5, 240, 1560, 615, 285, "0.1"); text(18, 1080, 1560, 615, 285, "0")
text(7, 240, 1920, 615, 285, "-1460"); text(8, 1080, 1920, 615, 285, "8000")
text(9, 240, 2280, 615, 285, "-6378000"); text(10, 1080, 2280, 615, 285, "-6378000")
text(19, 240, 2640, 615, 285, "6165000"); text(20, 1080, 2640, 615, 285, "-8000000")
text(16, 240, 3000, 615, 285, "0"); text(17, 1080, 3000, 615, 285, "0")
text(30, 360, 3360, 615, 285, "7"); text(40, 1440, 3360, 615, 285, "-150000")
command(12, "V0", 2320, 3360, 375, 300)
text(54, 480, 3720, 735, 285, "1"); text(51, 1920, 3720, 615, 285, "500")
text(60, 360, 4080, 1935, 285)
text(6, 360, 4440, 1935, 285); text(27, 2640, 4440, 1935, 285); text(28, 4800, 4440, 1935, 285)
check(24, "cos", 0, 4800); text(53, 840, 4800, 735, 285, "0.001"); text(52, 2040, 4800, 1815, 285)
check(23, "Эйлер", 3960, 4800); check(22, "Ep=0 в бесконечности", 4800, 4800)
# Field options.
frame(3, "Поле", 2820, 40, 1020, 660)
option(5, "плоское", "Frame3", 2880, 240); option(6, "сфера", "Frame3", 2880, 460, "1")
frame(7, "Поле", 3960, 40, 855, 660)
option(16, "const", "Frame7", 4020, 240); option(17, "var", "Frame7", 4020, 460, "1")
frame(8, "", 3040, 700, 995, 390)
option(18, "+", "Frame8", 3100, 820); option(19, "--", "Frame8", 3540, 820, "1")
frame(5, "Степень", 3040, 1080, 995, 410)
option(10, "1", "Frame5", 3100, 1260); option(11, "2", "Frame5", 3540, 1260, "1")
frame(6, "Tmax ", 2160, 1560, 805, 1075)
option(12, "X>Xk", "Frame6", 2220, 1760, "1"); option(13, "X<Xk", "Frame6", 2220, 1980)
option(14, "Y>Yk", "Frame6", 2220, 2200); option(15, "Y<Yk", "Frame6", 2220, 2420)
frame(4, "Интеграл", 2040, 2640, 925, 660)
option(8, "время", "Frame4", 2100, 2840, "1"); option(9, "путь", "Frame4", 2100, 3060)
text(25, 2295, 800, 600, 285, "0.05")
check(14, "AutoDn", 2160, 1120); check(15, "AutoPn", 2160, 1320)
check(16, "X,Y", 4200, 820); check(17, "m3, q3", 4200, 1080)
text(50, 5640, 1080, 375, 285, "5")
# Trajectory parameters and choice.
text(14, 5160, 100, 615, 285); text(26, 5160, 440, 615, 285); text(15, 5160, 760, 615, 285)
check(7, "", 5820, 440); check(13, "", 5820, 660); check(12, "", 5820, 880)
frame(1, "траектория", 6080, 0, 1335, 1340)
for k, (cap, top) in enumerate(zip(["1-прямая", "2-циклоида", "3-парабола", "4-дуга", "5-нет"],
                                   [220, 440, 660, 880, 1100]), start=1):
    check(k, cap, 6140, top, "1" if k == 5 else "", "Frame1")
# Trajectory table.
for col, (first, left) in enumerate([(61, 3240), (66, 4080), (71, 4920), (76, 5760), (81, 6600)]):
    for row, top in enumerate([1560, 1920, 2280, 2640, 3000]):
        text(first + row, left, top, 735, 285)
check(8, "", 4620, 1365); check(9, "", 5380, 1365); check(10, "", 6200, 1365); check(11, "", 7040, 1365)
# Scales and buttons.
text(3, 3480, 3360, 495, 285, "5")
command(1, "Начать    эксперимент", 4080, 3360, 1935, 300)
text(29, 6840, 3360, 495, 285, "3000000")
command(2, "Остановить", 2640, 3720, 1095, 300)
command(11, "Свет", 3840, 3720, 495, 300)
command(9, "+", 4440, 3720, 375, 300)
command(8, "--", 4800, 3720, 375, 300)
command(10, "Сделать 1 шаг решения", 5280, 3720, 2085, 300)
command(3, "Продолжить", 2400, 4080, 1215, 300)
command(7, "Показать  траектории", 3720, 4080, 1965, 300)
command(5, "Очистить графики", 5760, 4080, 1605, 300)
# Pictures.
T.append(("Picture1", "Picture", "", None, 7440, 0, 4395, 4395, ""))
T.append(("Picture2", "Picture", "", None, 360, 5040, 6375, 3015, ""))
# Running values.
for row in range(9):
    top = 4440 + 360 * row
    text(31 + row, 7520, top, 1935, 285)
    text(41 + row, 9900, top, 1935, 285, "3.1416" if row == 0 else "")
for k, row in zip([18, 19, 20, 21], range(4)):
    check(k, "", 6840, 4440 + 360 * row, "1" if k == 18 else "")
# Bottom band.
frame(2, "", 6840, 7560, 4935, 440)
for n, cap, left in [(1, "1-прямая", 6900), (2, "2-циклоида", 7890), (3, "3-парабола", 9060),
                     (4, "4-дуга", 10230), (7, "5-", 11040)]:
    option(n, cap, "Frame2", left, 7640, "1" if n == 1 else "")
check(6, "File", 6840, 8040)
text(57, 8220, 8040, 495, 285, "10")
text(55, 9720, 8040, 495, 285, "1")
command(6, "About", 10320, 8040, 735, 280)
command(4, "Выход", 11160, 8040, 615, 280)
T.append(("Timer1", "Timer", "", None, 0, 0, 0, 0, ""))

# Static captions: (caption, left, top).
LABELS = [
    ("m1", 0, 120), ("m2", 900, 120), ("* 10 ^", 1770, 120), ("кг", 2580, 120),
    ("q1", 0, 480), ("q2", 900, 480), ("* 10 ^", 1770, 480), ("к", 2580, 480),
    ("Rz", 0, 840), ("* 10 ^", 880, 840), ("м", 1740, 840),
    ("C1", 0, 1200), ("н/м", 900, 1200), ("KRz3", 1200, 1200),
    ("Kj1", 0, 1560), ("Kj", 900, 1560), ("н*с/м", 1720, 1560),
    ("VX", 0, 1920), ("VY", 900, 1920), ("м/с", 1720, 1920),
    ("Xн", 0, 2280), ("Yн", 900, 2280), ("м", 1720, 2280),
    ("Xк", 0, 2640), ("Yк", 900, 2640), ("м", 1720, 2640),
    ("Fx", 0, 3000), ("Fy", 900, 3000), ("н", 1720, 3000),
    ("X30", 0, 3360), ("X40", 1020, 3360), ("м", 2080, 3360),
    ("шаг, с", 0, 3720), ("Mt, с/см", 1260, 3720),
    ("T, с", 0, 4080), ("dTv", 2340, 4440), ("dT", 4605, 4440),
    ("w", 600, 4800), ("Y40", 1680, 4800),
    ("Dn", 2040, 800), ("Цвет5", 5100, 1080),
    ("R2", 4860, 100), ("K3", 4860, 440), ("R4", 4860, 760),
    ("T1", 3000, 1560), ("T2", 3000, 1920), ("T3", 3000, 2280), ("T4", 3000, 2640), ("T5", 3000, 3000),
    ("m1 * V", 4080, 1365), ("T -- U", 4920, 1365), ("T", 5760, 1380), ("T + U", 6600, 1365),
    ("M, ед/см", 2760, 3360), ("Mx, м/см", 6120, 3360),
    ("см", 0, 5040), ("3", 0, 5400), ("2", 0, 5760), ("1", 0, 6120), ("0", 0, 6480),
    ("-1", 0, 6840), ("-2", 0, 7200), ("-3", 0, 7560), ("-4", 0, 7920),
    ("0", 323, 8085), ("2", 1234, 8085), ("4", 2144, 8085), ("6", 3055, 8085),
    ("8", 3966, 8085), ("10", 4847, 8085), ("12", 5757, 8085), ("T/Mt, см", 6100, 8100),
    ("X", 7260, 4440), ("Y", 9640, 4440), ("VX", 7260, 4800), ("VY", 9640, 4800),
    ("FX", 7260, 5160), ("FY", 9640, 5160), ("Fm", 7260, 5520), ("Fq", 9640, 5520),
    ("Fj1", 7260, 5880), ("Dfi", 9640, 5880), ("Lmax", 7200, 6240), ("EC1", 9600, 6240),
    ("Ev", 7260, 6600), ("E", 9640, 6600), ("Em", 7260, 6960), ("E0", 9640, 6960),
    ("Eq", 7260, 7320), ("Ej1", 9640, 7320),
    ("NC файла", 7440, 8040), ("NC графики", 8880, 8040),
]
assert len(LABELS) == 92, len(LABELS)
for k, (cap, l, t) in enumerate(LABELS, start=1):
    T.append((f"Label{k}", "Label", cap, None, l, t, 0, 0, ""))

# Emit in the order of the enumeration.
order = [f"Text{i}" for i in range(1, 86) if i not in (56, 58, 59)]
order += [f"Label{i}" for i in range(1, 93)] + [f"Check{i}" for i in range(1, 25)]
order += [f"Option{i}" for i in range(1, 20)] + [f"Frame{i}" for i in range(1, 9)]
order += [f"Command{i}" for i in range(1, 13)] + ["Picture1", "Picture2", "Timer1"]
byname = {e[0]: e for e in T}
assert len(byname) == len(T), "a control twice"
missing = [n for n in order if n not in byname]
assert not missing, missing

def q(s):
    return '"' + s.replace('\\', '\\\\').replace('"', '\\"') + '"'

lines = []
for n in order:
    name, kind, cap, fr, l, t, w, h, init = byname[n]
    frm = fr if fr else "ControlCount"
    lines.append(f"      {{{name}, {q(name)}, Kind::{kind}, {q(cap)}, {frm}, {l}, {t}, {w}, {h}, {q(init)}}},")

out = """// Generated by tools/gen_control_table.py: every control of the main window
// with its kind, caption, frame, place in twips and initial text or state.
#include <iterator>

#include "model/controls.h"

namespace lumet {

namespace {

const ControlEntry kTable[] = {
""" + "\n".join(lines) + """
};

}  // namespace

const std::vector<ControlEntry>& controlTable() {
  static const std::vector<ControlEntry> table(std::begin(kTable), std::end(kTable));
  return table;
}

}  // namespace lumet
"""
here = os.path.dirname(os.path.abspath(__file__))
table = os.path.normpath(os.path.join(here, "..", "src", "model", "control_table.cpp"))


def formatted(text):
    """The text as clang-format leaves it with the repository's style."""
    return subprocess.run(["clang-format", "--style=file", "--assume-filename=" + table],
                          input=text, capture_output=True, text=True, check=True,
                          cwd=os.path.dirname(table)).stdout


args = argparse.ArgumentParser(description=__doc__.splitlines()[0])
args.add_argument("--check", action="store_true", help="compare instead of writing")
args.add_argument("-o", "--output", default=table, help="the file to write")
opts = args.parse_args()
out = formatted(out)
if opts.check:
    with open(opts.output, encoding="utf-8") as f:
        have = f.read()
    if have != out:
        sys.stdout.writelines(difflib.unified_diff(
            have.splitlines(True), out.splitlines(True), opts.output, "generated"))
        sys.exit(f"{opts.output} is not what tools/gen_control_table.py writes")
else:
    with open(opts.output, "w", encoding="utf-8") as f:
        f.write(out)
