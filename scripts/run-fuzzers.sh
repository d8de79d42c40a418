#!/usr/bin/env bash
# Runs every libFuzzer program of a fuzz build for SECONDS each, starting
# from its seed corpus (and the seeds the build made); fails on the first crash.
set -euo pipefail
build=$1; seconds=${2:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
export LSAN_OPTIONS="suppressions=$src/tests/lsan.supp"
status=0
for prog in $(find "$build/fuzz" -type f -executable -name 'fuzz_*' | sort); do
  name=$(basename "$prog")
  work=$(mktemp -d)
  [ -d "$src/fuzz/corpus/$name" ] && cp -r "$src/fuzz/corpus/$name/." "$work/"
  # Seeds the build makes (exported theme files, for example).
  [ -d "$build/fuzz/seeds/$name" ] && cp -r "$build/fuzz/seeds/$name/." "$work/"
  echo "== $name: ${seconds}s"
  if ! "$prog" -max_total_time="$seconds" -rss_limit_mb=4096 "$work" 2>"$work.log"; then
    tail -50 "$work.log"; status=1
  else
    tail -2 "$work.log"
  fi
  rm -rf "$work" "$work.log"
done
exit $status
