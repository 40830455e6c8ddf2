#!/usr/bin/env bash
# Runs each fuzz target of a fuzz build (default build-fuzz, made here when
# missing) for a short while on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -G Ninja -B "$build" -S . -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKX_BUILD_FUZZ=ON -DKX_BUILD_BENCH=OFF
fi
echo "== fuzz"
targets=$(find fuzz -maxdepth 1 -name '*_fuzz.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
[ -n "$targets" ] || { echo "no fuzz targets"; exit 1; }
cmake --build "$build" -j "$(nproc)" --target $targets
for t in $targets; do
  corpus="fuzz/corpus/${t%_fuzz}"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "-- $t"
  "$build/fuzz/$t" -max_total_time=30 -rss_limit_mb=2048 -timeout=10 "$work"
  rm -rf "$work"
done
