#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each on a copy of its seed corpus for a while
# (20 seconds unless SG_FUZZ_SECONDS says otherwise), as many at once as there are processors. Fails on any crash, hang (5 s an input),
# leak or memory blow-up (512 MB). Prints each target's executions and coverage.
# Usage: bash scripts/fuzz.sh [target ...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${SG_FUZZ_SECONDS:-20}
missing=()
for p in clang libclang-rt-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Every other build compiles sources in batches; this one compiles the libraries file by file, so
# that a source which leans on another's includes fails here.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSG_FUZZ=ON -DSG_BUILD_QT=OFF \
  -DSG_BUILD_BENCH=OFF -DCMAKE_UNITY_BUILD=OFF >/dev/null || exit 1
cmake --build build-fuzz -j"$(nproc)" --target sg_fuzz >/dev/null || { echo "fuzz: the build failed"; exit 1; }
targets=("$@")
if ((${#targets[@]} == 0)); then
  for f in fuzz/fuzz_*.cpp; do t=$(basename "$f" .cpp); targets+=("$t"); done
fi
# Runs one target; its verdict goes to verdict.txt in its folder, and its exit status is 0 or 1.
fuzz_one() {
  local t=$1 work=$PWD/build-fuzz/runs/$1
  rm -rf "$work" && mkdir -p "$work/corpus" "$work/found"
  cp -r "fuzz/corpus/$t/." "$work/corpus/" 2>/dev/null || true
  local log=$work/log.txt
  # Absolute paths: the targets that read files of the working folder move into one of their own.
  # A chunk may inflate to 64 MB: the sanitizer's quarantine of freed memory is kept small, so
  # that a few such buffers freed in turn do not count against the memory limit.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16" \
  "$PWD/build-fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 -print_final_stats=1 \
     -artifact_prefix="$work/found/" "$work/corpus" >"$log" 2>&1
  local rc=$?
  local runs cov
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -n 1)
  if ((rc == 0)); then
    echo "fuzz $t: ${runs:-?} runs, ${cov:-cov: ?}" > "$work/verdict.txt"
  else
    { echo "fuzz $t: FAILED (exit $rc); the input is in $work/found/"
      grep -E 'ERROR|SUMMARY|==[0-9]+==' "$log" | head -n 5; } > "$work/verdict.txt"
    return 1
  fi
}

# One target per processor at a time (each fuzzer uses one); the verdicts in the targets' order.
status=0
parallel=$(nproc)
for ((i = 0; i < ${#targets[@]}; i += parallel)); do
  pids=()
  for t in "${targets[@]:i:parallel}"; do
    fuzz_one "$t" &
    pids+=($!)
  done
  for p in "${pids[@]}"; do wait "$p" || status=1; done
  for t in "${targets[@]:i:parallel}"; do cat "build-fuzz/runs/$t/verdict.txt"; done
done
exit $status
