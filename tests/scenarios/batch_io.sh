#!/usr/bin/env bash
# lumet-batch's input and output where a scenario file cannot reach: a folder
# or an endless device as the script, lines at the 1 MiB bound, a byte order
# mark, standard input or output closed, standard output full.
set -u
batch=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
printf 'print Timer1\n' >"$dir/print.lb"
printf '\xef\xbb\xbfprint Timer1\r\nprint Text3\n' >"$dir/bom.lb"
{ head -c 1048576 /dev/zero | tr '\0' '#' && printf '\nprint Timer1\n'; } >"$dir/longest.lb"
{ head -c 1048577 /dev/zero | tr '\0' '#' && echo; } >"$dir/too_long.lb"

# expect STATUS STDERR STDOUT COMMAND: bash runs COMMAND, $run being lumet-batch.
run="$batch --log-dir $dir"
expect() {
  (eval "$4") >"$dir/out" 2>"$dir/err"
  local got="$? $(cat "$dir/err") $(cat "$dir/out")"
  [ "$got" = "$1 $2 $3" ] || { echo "$4: got '$got', want '$1 $2 $3'" && failed=1; }
}
w="lumet-batch: line 1: cannot write standard output"
expect 2 "lumet-batch: cannot read $dir: Is a directory" "" '$run "$dir"'
expect 2 "lumet-batch: line 1: line longer than 1 MiB" "" '$run /dev/zero'
expect 2 "lumet-batch: line 1: line longer than 1 MiB" "" '$run "$dir/too_long.lb"'
expect 0 "" "Timer1=0" '$run "$dir/longest.lb"'
expect 0 "" $'Timer1=0\nText3=5' '$run "$dir/bom.lb"'
expect 2 "$w: Bad file descriptor" "" '$run "$dir/print.lb" >&-'
expect 2 "$w: No space left on device" "" '$run "$dir/print.lb" >/dev/full'
expect 2 "lumet-batch: cannot write standard output: No space left on device" "" \
  '$batch --version >/dev/full'
expect 2 "lumet-batch: cannot read standard input: Bad file descriptor" "" '$run <&-'
exit $failed
