#!/usr/bin/env bash
# Builds everything once and runs every test: a format check, the layering
# check, the tests under AddressSanitizer and UBSan, then a short run of each
# fuzz target. One clang build serves all three: the libraries carry the
# fuzzer's coverage instrumentation beside the sanitizers, so that a machine
# with two cores finishes well within the hour.
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

echo "== build with sanitizers"
# Line tables only: the sanitizers' reports name file and line at a fraction
# of full debug information's cost.
CC=clang-14 CXX=clang++-14 cmake -G Ninja -B build-check -S . -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DKX_SANITIZE=ON -DKX_BUILD_FUZZ=ON -DKX_BUILD_BENCH=ON
cmake --build build-check -j "$jobs"

echo "== tests"
(cd build-check && QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
  ctest --output-on-failure -j "$jobs")

bash scripts/fuzz.sh build-check
