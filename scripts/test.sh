#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: a normal build and a build with the
# address and undefined-behaviour sanitizers, each through ctest. Both suites run even when the
# first has failures; the script exits non-zero when any build or test failed.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1
jobs=$(nproc)
status=0
summaries=()

# Builds one configuration and runs its tests; records the suite's summary line.
suite() {
  local name=$1 dir=$2; shift 2
  echo "== $name: configuring and building in $dir"
  if ! cmake -S . -B "$dir" "$@" >/dev/null || ! cmake --build "$dir" -j"$jobs"; then
    summaries+=("$name: the build failed")
    status=1
    return
  fi
  echo "== $name: running the tests"
  local log="$dir/ctest-summary.log"
  (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j"$jobs") | tee "$log"
  local rc=${PIPESTATUS[0]}
  summaries+=("$name: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
  ((rc == 0)) || status=1
}

suite "normal build" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Pictures of every window at 100% and 200%, under build/screenshots/, for a person to look at.
[ -d build/src_interface/qt ] && { bash scripts/screenshots.sh || true; }
suite "sanitizer build" build-asan -DCMAKE_BUILD_TYPE=Debug -DSG_SANITIZE=ON -DSG_BUILD_BENCH=OFF

echo "== Summary"
for s in "${summaries[@]}"; do echo "$s"; done
exit $status
