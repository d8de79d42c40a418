#!/usr/bin/env bash
# Fails, naming the files, when any C++ file of the repository differs from
# what clang-format makes of it. The layout is pinned to Debian 12's
# clang-format 14: other versions break lines differently.
set -euo pipefail
cd "$(dirname "$0")/.."

format=clang-format-14
command -v "$format" >/dev/null || format=clang-format
if ! "$format" --version | grep -q 'version 14\.'; then
    echo "check-format: $("$format" --version) is not clang-format 14; the layout may differ" >&2
fi

# --dry-run names each differing file in its warnings; several files per call
# and two calls at a time keep this to seconds.
report=$(git ls-files -z -- '*.cpp' '*.h' '*.hpp' '*.cc' '*.c' |
    xargs -0 -n 64 -P 2 "$format" --dry-run 2>&1 | grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error)' | cut -d: -f1 | sort -u || true)

if [ -n "$report" ]; then
    echo "These files are not formatted as .clang-format says (fix: clang-format -i FILE):" >&2
    sed 's/^/  /' <<<"$report" >&2
    exit 1
fi
echo "check-format: every C++ file is formatted"
