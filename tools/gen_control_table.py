#!/usr/bin/env python3
"""Writes src/form/control_layout.cpp from the layout below (names, kinds,
frames, places in twips, and what each label shows), formatted with the
repository's .clang-format. The captions, defaults and tooltips of the
controls bound to a parameter, a value or an action come from the
laboratory's tables at run time.

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

T = []  # (name, kind, shows, text, frame, l, t, w, h)

# Captions, defaults and tooltips of the controls that show a parameter, a
# value or an action come from the laboratory's tables, which name each
# one's control; the layout only places them.
def text(n, l, t, w, h):
    T.append((f"Text{n}", "Text", "Own", "", None, l, t, w, h))

def check(n, l, t, frame=None):
    T.append((f"Check{n}", "Check", "Own", "", frame, l, t, 0, 0))

def option(n, frame, l, t):
    T.append((f"Option{n}", "Option", "Own", "", frame, l, t, 0, 0))

def frame(n, l, t, w, h, cap=""):
    shows, cap = ("Word", cap[1:]) if cap.startswith("~") else ("Own", cap)
    T.append((f"Frame{n}", "Frame", shows, cap, None, l, t, w, h))

def command(n, l, t, w, h):
    T.append((f"Command{n}", "Command", "Own", "", None, l, t, w, h))

# Body parameters.
text(1, 240, 120, 615, 285); text(11, 1120, 120, 615, 285); text(21, 2180, 120, 375, 285)
text(2, 240, 480, 615, 285); text(12, 1120, 480, 615, 285); text(22, 2180, 480, 375, 285)
text(13, 240, 840, 615, 285); text(23, 1320, 840, 375, 285)
text(4, 240, 1200, 615, 285); text(24, 1680, 1200, 420, 285)
text(5, 240, 1560, 615, 285); text(18, 1080, 1560, 615, 285)
text(7, 240, 1920, 615, 285); text(8, 1080, 1920, 615, 285)
text(9, 240, 2280, 615, 285); text(10, 1080, 2280, 615, 285)
text(19, 240, 2640, 615, 285); text(20, 1080, 2640, 615, 285)
text(16, 240, 3000, 615, 285); text(17, 1080, 3000, 615, 285)
text(30, 360, 3360, 615, 285); text(40, 1440, 3360, 615, 285)
command(12, 2320, 3360, 375, 300)
text(54, 480, 3720, 735, 285); text(51, 1920, 3720, 615, 285)
text(60, 360, 4080, 1935, 285)
text(6, 360, 4440, 1935, 285); text(27, 2640, 4440, 1935, 285); text(28, 4800, 4440, 1935, 285)
check(24, 0, 4800); text(53, 840, 4800, 735, 285); text(52, 2040, 4800, 1815, 285)
check(23, 3960, 4800); check(22, 4800, 4800)
# Field options.
frame(3, 2820, 40, 1020, 660)
option(5, "Frame3", 2880, 240); option(6, "Frame3", 2880, 460)
frame(7, 3960, 40, 855, 660)
option(16, "Frame7", 4020, 240); option(17, "Frame7", 4020, 460)
frame(8, 3040, 700, 995, 390)
option(18, "Frame8", 3100, 820); option(19, "Frame8", 3540, 820)
frame(5, 3040, 1080, 995, 410)
option(10, "Frame5", 3100, 1260); option(11, "Frame5", 3540, 1260)
frame(6, 2160, 1560, 805, 1075)
option(12, "Frame6", 2220, 1760); option(13, "Frame6", 2220, 1980)
option(14, "Frame6", 2220, 2200); option(15, "Frame6", 2220, 2420)
frame(4, 2040, 2640, 925, 660)
option(8, "Frame4", 2100, 2840); option(9, "Frame4", 2100, 3060)
text(25, 2295, 800, 600, 285)
check(14, 2160, 1120); check(15, 2160, 1320)
check(16, 4200, 820); check(17, 4200, 1080)
text(50, 5640, 1080, 375, 285)
# Trajectory parameters and choice.
text(14, 5160, 100, 615, 285); text(26, 5160, 440, 615, 285); text(15, 5160, 760, 615, 285)
check(7, 5820, 440); check(13, 5820, 660); check(12, 5820, 880)
frame(1, 6080, 0, 1335, 1340, "~trajectory")
for k, top in enumerate([220, 440, 660, 880, 1100], start=1):
    check(k, 6140, top, "Frame1")
# Trajectory table.
for col, (first, left) in enumerate([(61, 3240), (66, 4080), (71, 4920), (76, 5760), (81, 6600)]):
    for row, top in enumerate([1560, 1920, 2280, 2640, 3000]):
        text(first + row, left, top, 735, 285)
check(8, 4620, 1365); check(9, 5380, 1365); check(10, 6200, 1365); check(11, 7040, 1365)
# Scales and buttons.
text(3, 3480, 3360, 495, 285)
command(1, 4080, 3360, 1935, 300)
text(29, 6840, 3360, 495, 285)
command(2, 2640, 3720, 1095, 300)
command(11, 3840, 3720, 495, 300)
command(9, 4440, 3720, 375, 300)
command(8, 4800, 3720, 375, 300)
command(10, 5280, 3720, 2085, 300)
command(3, 2400, 4080, 1215, 300)
command(7, 3720, 4080, 1965, 300)
command(5, 5760, 4080, 1605, 300)
# Pictures.
T.append(("Picture1", "Picture", "Own", "", None, 7440, 0, 4395, 4395))
T.append(("Picture2", "Picture", "Own", "", None, 360, 5040, 6375, 3015))
# Running values.
for row in range(9):
    top = 4440 + 360 * row
    text(31 + row, 7520, top, 1935, 285)
    text(41 + row, 9900, top, 1935, 285)
for k, row in zip([18, 19, 20, 21], range(4)):
    check(k, 6840, 4440 + 360 * row)
# Bottom band.
frame(2, 6840, 7560, 4935, 440)
for n, left in [(1, 6900), (2, 7890), (3, 9060), (4, 10230), (7, 11040)]:
    option(n, "Frame2", left, 7640)
check(6, 6840, 8040)
text(57, 8220, 8040, 495, 285)
text(55, 9720, 8040, 495, 285)
command(6, 10320, 8040, 735, 280)
command(4, 11160, 8040, 615, 280)
T.append(("Timer1", "Timer", "Own", "", None, 0, 0, 0, 0))

# Static captions: (what it shows, left, top). "=name" is the caption of the
# parameter or value of that name, "=name unit" its unit, "=name, unit" its
# caption and unit; "~word" a word of the message catalogue by its English
# text, shown in the language of the window; anything else is the label's own
# text (numbers and symbols, the same in every language).
LABELS = [
    ("=m1", 0, 120), ("=m2", 900, 120), ("=ExpM", 1770, 120), ("=m1 unit", 2580, 120),
    ("=q1", 0, 480), ("=q2", 900, 480), ("=ExpQ", 1770, 480), ("=q1 unit", 2580, 480),
    ("=Rz", 0, 840), ("=ExpRz", 880, 840), ("=Rz unit", 1740, 840),
    ("=C1", 0, 1200), ("=C1 unit", 900, 1200), ("=KRz3", 1200, 1200),
    ("=Kj1", 0, 1560), ("=Kj", 900, 1560), ("=Kj1 unit", 1720, 1560),
    ("=VXn", 0, 1920), ("=VYn", 900, 1920), ("=VXn unit", 1720, 1920),
    ("=Xn", 0, 2280), ("=Yn", 900, 2280), ("=Xn unit", 1720, 2280),
    ("=Xk", 0, 2640), ("=Yk", 900, 2640), ("=Xk unit", 1720, 2640),
    ("=Fx", 0, 3000), ("=Fy", 900, 3000), ("=Fx unit", 1720, 3000),
    ("=X30", 0, 3360), ("=X40", 1020, 3360), ("=X30 unit", 2080, 3360),
    ("=h, unit", 0, 3720), ("=Mt, unit", 1260, 3720),
    ("=T, unit", 0, 4080), ("=ttV", 2340, 4440), ("=dT", 4605, 4440),
    ("=w", 600, 4800), ("=Y40", 1680, 4800),
    ("=Dn", 2040, 800), ("=colour5", 5100, 1080),
    ("=R2", 4860, 100), ("=K3", 4860, 440), ("=R4", 4860, 760),
    ("=T1", 3000, 1560), ("=T2", 3000, 1920), ("=T3", 3000, 2280), ("=T4", 3000, 2640), ("=T5", 3000, 3000),
    ("=ColMV1", 4080, 1365), ("=ColTmU1", 4920, 1365), ("=ColT1", 5760, 1380), ("=ColTpU1", 6600, 1365),
    ("=M, unit", 2760, 3360), ("=Mx, unit", 6120, 3360),
    ("~cm", 0, 5040), ("3", 0, 5400), ("2", 0, 5760), ("1", 0, 6120), ("0", 0, 6480),
    ("-1", 0, 6840), ("-2", 0, 7200), ("-3", 0, 7560), ("-4", 0, 7920),
    ("0", 323, 8085), ("2", 1234, 8085), ("4", 2144, 8085), ("6", 3055, 8085),
    ("8", 3966, 8085), ("10", 4847, 8085), ("12", 5757, 8085), ("~T/Mt, cm", 6100, 8100),
    ("=X", 7260, 4440), ("=Y", 9640, 4440), ("=VX", 7260, 4800), ("=VY", 9640, 4800),
    ("=FX", 7260, 5160), ("=FY", 9640, 5160), ("=Fm", 7260, 5520), ("=Fq", 9640, 5520),
    ("=Fj1", 7260, 5880), ("=Dfi", 9640, 5880), ("=Lmax", 7200, 6240), ("=EC1", 9600, 6240),
    ("=Ev", 7260, 6600), ("=E", 9640, 6600), ("=Em", 7260, 6960), ("=E0", 9640, 6960),
    ("=Eq", 7260, 7320), ("=Ej1", 9640, 7320),
    ("=NCf", 7440, 8040), ("=NCg", 8880, 8040),
]
assert len(LABELS) == 92, len(LABELS)
for k, (cap, l, t) in enumerate(LABELS, start=1):
    shows, text_ = "Own", cap
    if cap.startswith("~"):
        shows, text_ = "Word", cap[1:]
    elif cap.startswith("="):
        text_ = cap[1:]
        if text_.endswith(", unit"):
            shows, text_ = "CaptionAndUnitOf", text_[:-6]
        elif text_.endswith(" unit"):
            shows, text_ = "UnitOf", text_[:-5]
        else:
            shows = "CaptionOf"
    T.append((f"Label{k}", "Label", shows, text_, None, l, t, 0, 0))

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
    name, kind, shows, text_, fr, l, t, w, h = byname[n]
    frm = fr if fr else "ControlCount"
    lines.append(f"      {{{name}, {q(name)}, Kind::{kind}, Shows::{shows}, {q(text_)}, {frm}, {l}, {t}, {w}, {h}}},")

out = """// Generated by tools/gen_control_table.py: every control of the main window
// with its kind, frame and place in twips, and what a label shows.
#include <iterator>

#include "form/controls.h"

namespace lumet {

namespace {

const ControlPlace kLayout[] = {
""" + "\n".join(lines) + """
};

static_assert(std::size(kLayout) == ControlCount, "a place for every control");

}  // namespace

const ControlPlace* controlLayout() { return kLayout; }

}  // namespace lumet
"""
here = os.path.dirname(os.path.abspath(__file__))
table = os.path.normpath(os.path.join(here, "..", "src", "form", "control_layout.cpp"))


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
