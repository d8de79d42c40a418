#!/usr/bin/env bash
# Runs every benchmark program of a release build and prints its figures.
set -uo pipefail
build=$1
status=0
for prog in $(find "$build/bench" -type f -executable -name 'bench_*' | sort); do
  echo "== $(basename "$prog")"
  "$prog" || status=1
done
exit $status
