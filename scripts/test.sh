#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
# Usage: scripts/test.sh [--sanitize]
#   --sanitize  builds into build-sanitize/ with AddressSanitizer and UBSan and runs the
#               whole suite there; the normal build in build/ is left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler cache entries keyed on paths relative to the checkout, so that another clone
# (a CI run, a second worktree) reuses them.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR=1
sanitize=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done
export QT_QPA_PLATFORM=offscreen
python3 scripts/translations.py check
if [ "$sanitize" -eq 0 ]; then
  bash scripts/build.sh
  ctest --test-dir build --output-on-failure -j2
  exit 0
fi

bash scripts/setup-debian.sh
dir=build-sanitize
# Benchmarks are not run as tests, so the sanitized build leaves them out. -O1 with line
# tables only builds faster than the release flags and still names file and line in
# every report.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" -DMVL_SANITIZE=ON \
  -DMVL_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j2
# Leaks in Qt's and fontconfig's process-lifetime caches are not the editor's; every
# other report fails the test that caused it.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$dir" --output-on-failure -j2
