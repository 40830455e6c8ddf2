#!/usr/bin/env bash
# The layering check on a small tree with planted wrong includes: it must
# fail and name exactly those includes, and pass the project's own tree.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
check="$root/scripts/check_layers.py"

output=$(python3 "$check" "$root/tests/fixtures/layering")
status=$?
if [ "$status" -ne 1 ]; then
  echo "planted tree: expected exit status 1, got $status"
  exit 1
fi
if ! diff -u "$root/tests/fixtures/layering.expected" <(printf '%s\n' "$output"); then
  echo "planted tree: the check named other includes than the planted ones"
  exit 1
fi

python3 "$check" "$root" || { echo "the project's tree breaks the layering"; exit 1; }
