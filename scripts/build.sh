#!/usr/bin/env bash
# Configures and builds into build/ (executables in build/bin with DATA beside them).
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler cache entries keyed on paths relative to the checkout, so that another clone
# (a CI run, a second worktree) reuses them.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR=1
bash scripts/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j2
