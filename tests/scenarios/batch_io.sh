#!/usr/bin/env bash
# lumet-batch's input and output where a scenario file cannot reach: a folder
# or an endless device as the script, lines at the length bound, a byte
# order mark, standard output closed or full. Each case gives the exit
# status, the standard error and the standard output the run must give.
set -u
batch=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

printf 'print Timer1\n' >"$dir/print.lb"
printf '\xef\xbb\xbfprint Timer1\r\nprint Text3\n' >"$dir/bom.lb"
# A comment of exactly 1 MiB, and one a byte longer.
{ head -c 1048576 /dev/zero | tr '\0' '#' && echo && echo 'print Timer1'; } >"$dir/longest.lb"
{ head -c 1048577 /dev/zero | tr '\0' '#' && echo; } >"$dir/too_long.lb"

# expect NAME STATUS STDERR STDOUT COMMAND: COMMAND is run by bash, with $run
# for lumet-batch and its log folder.
run="$batch --log-dir $dir"
expect() {
  local status
  (eval "$5") >"$dir/out" 2>"$dir/err"
  status=$?
  if [ "$status" != "$2" ] || [ "$(cat "$dir/err")" != "$3" ] || [ "$(cat "$dir/out")" != "$4" ]; then
    echo "$1: status $status (want $2)"
    echo "  stderr: $(cat "$dir/err") (want: $3)"
    echo "  stdout: $(cat "$dir/out") (want: $4)"
    failed=1
  fi
}

expect "a folder as the script" 2 "lumet-batch: cannot read $dir: Is a directory" "" '$run "$dir"'
expect "an endless line" 2 "lumet-batch: line 1: line longer than 1 MiB" "" '$run /dev/zero'
expect "a line of 1 MiB" 0 "" "Timer1=0" '$run "$dir/longest.lb"'
expect "a line a byte longer" 2 "lumet-batch: line 1: line longer than 1 MiB" "" '$run "$dir/too_long.lb"'
expect "a byte order mark" 0 "" $'Timer1=0\nText3=5' '$run "$dir/bom.lb"'
expect "standard output closed" 2 \
  "lumet-batch: line 1: cannot write standard output: Bad file descriptor" "" \
  '$run "$dir/print.lb" >&-'
expect "standard output full" 2 \
  "lumet-batch: line 1: cannot write standard output: No space left on device" "" \
  '$run "$dir/print.lb" >/dev/full'
expect "the version to a full output" 2 \
  "lumet-batch: cannot write standard output: No space left on device" "" \
  '$batch --version >/dev/full'
expect "standard input closed" 2 "lumet-batch: cannot read standard input: Bad file descriptor" "" \
  '$run <&-'
exit $failed
