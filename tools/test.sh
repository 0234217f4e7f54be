#!/usr/bin/env bash
# Sets Lumet up and runs every test: the whole suite on the normal build,
# then again under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# fuzz targets for about a minute.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
export QT_QPA_PLATFORM=offscreen

echo "== the control table is what its generator writes"
python3 tools/gen_control_table.py --check

echo "== build and test"
build build
ctest --test-dir build --output-on-failure

echo "== install into a temporary prefix and build the Debian package"
bash tools/install_check.sh build

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
build build-asan -DLUMET_SANITIZE=ON -DLUMET_BENCH=OFF
# Qt's own libraries keep caches alive to the end of the process; leaks are
# checked on the core tests, where every allocation is the laboratory's.
ASAN_OPTIONS=detect_leaks=1 ./build-asan/lumet_tests --gtest_brief=1
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure

echo "== fuzz each target for a bounded time"
bash tools/fuzz.sh
