#!/usr/bin/env bash
# Runs each fuzz target for a short while on its seed corpus. Skipped when
# clang's libFuzzer runtime is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++-14 >/dev/null || ! ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "== fuzz: libFuzzer not installed, skipped"
  exit 0
fi
echo "== fuzz"
CC=clang-14 CXX=clang++-14 cmake -G Ninja -B build-fuzz -S . -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKX_BUILD_FUZZ=ON -DKX_BUILD_BENCH=OFF
targets=$(find fuzz -maxdepth 1 -name '*_fuzz.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
cmake --build build-fuzz -j "$(nproc)" --target $targets
for t in $targets; do
  corpus="fuzz/corpus/${t%_fuzz}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "-- $t"
  "build-fuzz/fuzz/$t" -max_total_time=30 -rss_limit_mb=2048 -timeout=10 "$work"
  rm -rf "$work"
done
