#!/usr/bin/env bash
# Builds the program and what its first start needs in build/: Release
# without debug information and only the program's own targets, so that a
# first start compiles nothing it does not run. (Developers keep their own
# RelWithDebInfo build folders; the test command has its own.)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -G Ninja -B build -S . -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target kxcashier kxmkdata
