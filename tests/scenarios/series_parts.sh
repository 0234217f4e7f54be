#!/usr/bin/env bash
# A series split with --part K/N into three processes, their rows merged and
# sorted by the run column, is the whole series, byte for byte, whatever the
# threads of each part.
set -eu
batch=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
cat >"$dir/series.lb" <<END
open $here/../../examples/race.lumet
series Xk 50 200 7
save series $dir/out.csv
END
"$batch" --log-dir "$dir" --jobs 1 "$dir/series.lb" && mv "$dir/out.csv" "$dir/whole.csv"
"$batch" --log-dir "$dir" --jobs 3 "$dir/series.lb" && mv "$dir/out.csv" "$dir/jobs3.csv"
cmp "$dir/whole.csv" "$dir/jobs3.csv"
for k in 1 2 3; do
  "$batch" --log-dir "$dir" --jobs $((k % 2 + 1)) --part $k/3 "$dir/series.lb"
  mv "$dir/out.csv" "$dir/part$k.csv"
done
{ head -n 1 "$dir/part1.csv"; tail -q -n +2 "$dir"/part*.csv | sort -t, -k1,1n -s; } >"$dir/merged.csv"
cmp "$dir/whole.csv" "$dir/merged.csv"
[ "$(wc -l <"$dir/whole.csv")" = 29 ]
# A bad --part or --jobs is refused before any script runs.
for bad in "--part 0/3" "--part 4/3" "--part 2" "--jobs 0" "--jobs x"; do
  if "$batch" $bad "$dir/series.lb" 2>"$dir/err"; then echo "accepted $bad"; exit 1; fi
  grep -q "^lumet-batch: --" "$dir/err" || { cat "$dir/err"; exit 1; }
done
echo "series parts: merged equals whole"
