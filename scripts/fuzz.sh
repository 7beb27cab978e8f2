#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) into build-fuzz/ and runs each
# for a fixed number of inputs from an empty corpus, with a fixed seed (FUZZ_SEED) so that a run
# can be repeated.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${FUZZ_RUNS:-20000}
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVESTRUNE_FUZZ=ON -DVESTRUNE_TESTS=OFF -DVESTRUNE_BENCH=OFF >/dev/null
cmake --build "$root/build-fuzz" -j "$(nproc)" --target fuzz_all
shopt -s nullglob
for target in "$root"/build-fuzz/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  echo "fuzz: $(basename "$target") for $runs runs"
  corpus=$(mktemp -d)
  "$target" -runs="$runs" -seed="${FUZZ_SEED:-1}" -max_len=4096 "$corpus" >"$corpus.log" 2>&1 || { cat "$corpus.log"; exit 1; }
  rm -rf "$corpus" "$corpus.log"
done
