#!/usr/bin/env bash
# Fuzzes the puzzle reader (ASan + UBSan) for the given number of seconds (default 60), from
# tests/fuzz/corpus. New inputs go to a scratch folder; `--guardar` merges the ones that add
# coverage into the corpus, keeping it small.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
fuzz=build/fuzz/tests/fuzz/leer_puzzle_fuzz
"$fuzz" -dict=tests/fuzz/xml.dict -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -max_total_time="$segundos" -print_final_stats=1 "$trabajo" tests/fuzz/corpus
if [ "${2:-}" = --guardar ]; then
    "$fuzz" -merge=1 tests/fuzz/corpus "$trabajo"
fi
