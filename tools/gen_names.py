#!/usr/bin/env python3
"""Writes the names of the parameters and shown values, as lumet-batch --names
lists them from the laboratory's tables, into README.md and the manual page
data/lumet.1.in, between their markers.

    tools/gen_names.py BATCH            write both
    tools/gen_names.py BATCH --check    fail when either differs
"""
import argparse
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
top = os.path.normpath(os.path.join(here, ".."))

# (file, option of lumet-batch, the line before the list, the line after it)
PLACES = [
    ("README.md", "--names", "<!-- names: lumet-batch --names -->", "<!-- end of names -->"),
    ("data/lumet.1.in", "--names=roff", '.\\" names: lumet-batch --names=roff',
     '.\\" end of names'),
]

args = argparse.ArgumentParser(description=__doc__.splitlines()[0])
args.add_argument("batch", help="the lumet-batch to ask")
args.add_argument("--check", action="store_true", help="compare instead of writing")
opts = args.parse_args()

stale = []
for name, option, begin, end in PLACES:
    path = os.path.join(top, name)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    listed = subprocess.run([opts.batch, option], capture_output=True, text=True,
                            check=True).stdout
    head, found, rest = text.partition(begin + "\n")
    _, found_end, tail = rest.partition(end + "\n")
    if not found or not found_end:
        sys.exit(f"{name}: the markers {begin!r} and {end!r} are missing")
    new = head + begin + "\n" + listed + end + "\n" + tail
    if new == text:
        continue
    if opts.check:
        stale.append(name)
    else:
        with open(path, "w", encoding="utf-8") as f:
            f.write(new)
if stale:
    sys.exit("not what lumet-batch --names lists: " + ", ".join(stale) +
             " (tools/gen_names.py build/lumet-batch writes them)")
