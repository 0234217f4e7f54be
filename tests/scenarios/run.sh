#!/usr/bin/env bash
# Runs one scenario through lumet-batch and compares what it prints with the
# scenario's .expected file; a .status file, when present, holds the exit
# status the run must end with (0 otherwise). A .prepare file, when present,
# is run by bash with the log folder as its argument before the scenario, and
# the log folder is written LOGDIR in what the run printed. A .args file,
# when present, holds options given to lumet-batch before the script.
set -u
batch=$1
script=$2
base=${script%.lb}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
[ -f "$base.prepare" ] && bash "$base.prepare" "$dir"
args=()
[ -f "$base.args" ] && read -ra args <"$base.args"
(cd "$(dirname "$script")" && "$batch" "${args[@]}" --log-dir "$dir" "$script") >"$dir/out.raw" 2>"$dir/err.raw"
status=$?
sed "s|$dir|LOGDIR|g" "$dir/out.raw" >"$dir/out"
sed "s|$dir|LOGDIR|g" "$dir/err.raw" >"$dir/err"
want=0
[ -f "$base.status" ] && want=$(cat "$base.status")
if [ "$status" != "$want" ]; then
  echo "exit status $status, expected $want"
  cat "$dir/err"
  exit 1
fi
if [ -f "$base.stderr" ] && ! diff -u "$base.stderr" "$dir/err"; then
  exit 1
fi
if [ -f "$base.log" ] && ! diff -u "$base.log" "$dir/lumet.dat"; then
  exit 1
fi
diff -u "$base.expected" "$dir/out"
