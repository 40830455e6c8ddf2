#!/usr/bin/env bash
# Builds everything and runs every test: a format check, the layering check,
# the plain build's tests, then the same tests under AddressSanitizer and
# UBSan, then a short run of each fuzz target when clang's libFuzzer is there.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

bash scripts/setup.sh

echo "== format check"
# The fixtures are sample trees, not code of ours.
mapfile -t sources < <(find app platform core frame grid cashbook staff bandreport tablereport tools tests bench fuzz cmake \
  -path tests/fixtures -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
clang-format --dry-run --Werror "${sources[@]}"

echo "== layering check"
python3 scripts/check_layers.py

echo "== build and test"
cmake -G Ninja -B build -S . -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

echo "== build and test with sanitizers"
cmake -G Ninja -B build-asan -S . -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DKX_SANITIZE=ON -DKX_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
  ctest --output-on-failure -j "$jobs")

bash scripts/fuzz.sh
