#!/usr/bin/env bash
# Runs each experiment of this folder at speed 1 and again at 10, 1000 and
# max, and at real, 0.1 and 0.01 where it gives their counts (a tick of
# lumet-batch is 1 ms of clock there), with the tick counts its "# ticks:"
# line gives for the same number of steps, and requires what speed 1 gives, byte for byte: the printed boxes
# (also against the experiment's .expected), the run log lumet.dat, the
# rows of lumet.csv (without the start's date and time) and both saved
# pictures.
set -u
batch=$1
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

# run EXPERIMENT SPEED: the experiment's script at that speed, in a folder
# of its own that receives its output, its log and its pictures.
run() {
  local script=$here/$1.lb out=$dir/$1-$2
  local ticks1 ticks
  ticks1=$(sed -n 's/^# ticks:.* 1=\([0-9]*\).*/\1/p' "$script")
  ticks=$(sed -n "s/^# ticks:.* ${2//./\\.}=\([0-9]*\).*/\1/p" "$script")
  mkdir -p "$out"
  sed -e "s/^speed 1\$/speed $2/" -e "s/^tick $ticks1\$/tick $ticks/" "$script" >"$out/script.lb"
  (cd "$out" && "$batch" --log-dir "$out" script.lb >out 2>err) || {
    echo "$1 at speed $2: lumet-batch failed"
    cat "$out/err"
    failed=1
  }
  if [ -e "$out/lumet.csv" ]; then cut -d, -f2- "$out/lumet.csv" >"$out/rows.csv"; fi
}

for script in "$here"/*.lb; do
  name=$(basename "$script" .lb)
  run "$name" 1
  diff -u "$here/$name.expected" "$dir/$name-1/out" || failed=1
  for speed in 10 1000 max real 0.1 0.01; do
    grep -q "^# ticks: .* ${speed//./\\.}=" "$script" || continue
    run "$name" "$speed"
    for file in out lumet.dat rows.csv picture1.png picture2.png; do
      if [ -e "$dir/$name-1/$file" ] || [ -e "$dir/$name-$speed/$file" ]; then
        cmp "$dir/$name-1/$file" "$dir/$name-$speed/$file" ||
          { echo "$name: $file differs at speed $speed"; failed=1; }
      fi
    done
  done
done
exit $failed
