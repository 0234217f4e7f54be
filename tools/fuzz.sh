#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for a bounded time: the number
# parser, the script runner of lumet-batch and, where it is built, the set-up
# file reader. Fails on any crash, sanitizer report, hang (an input running
# longer than the timeout) or inf/nan in a box; what broke is kept in
# build-fuzz/artifacts/. Called by test.sh with about a minute for all.
#
#   bash tools/fuzz.sh              # the test command's shares: 10 s, 40 s, 10 s
#   bash tools/fuzz.sh 600          # each target for 600 s
#   bash tools/fuzz.sh 600 script   # only the named targets
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

seconds=${1:-}
shift || true
declare -A share=([numbers]=10 [script]=40 [setup]=10)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(numbers script)
  [ -f src/app/setup_file.h ] && targets+=(setup)
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMET_FUZZ=ON -DLUMET_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/lumet_fuzz_}"

# The seeds: a few numbers, the scenario scripts, the ready experiments.
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds/script" "$seeds/setup" build-fuzz/artifacts
cp -r fuzz/seeds/numbers "$seeds/numbers"
cp tests/scenarios/*.lb "$seeds/script/"
if compgen -G "examples/*.lumet" >/dev/null; then cp examples/*.lumet "$seeds/setup/"; fi

declare -A options=(
  [numbers]="-max_len=64"
  [script]="-max_len=4096 -dict=fuzz/script.dict"
  [setup]="-max_len=8192 -dict=fuzz/setup.dict"
)
for t in "${targets[@]}"; do
  echo "== fuzz $t for ${seconds:-${share[$t]}} s"
  mkdir -p "build-fuzz/corpus/$t"
  # shellcheck disable=SC2086
  ./build-fuzz/lumet_fuzz_$t ${options[$t]} -max_total_time="${seconds:-${share[$t]}}" \
    -timeout=10 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" \
    "build-fuzz/corpus/$t" "$seeds/$t"
done
