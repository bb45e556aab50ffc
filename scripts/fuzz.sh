#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer, UBSan) into build-fuzz/
# and runs each for SECONDS (default 60), one after the other.
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]
#   HARNESS: ProjectLoad ZipReader PacketParser IniReader Address (default: all)
# Each harness starts from its seed corpus (fuzz/corpus/<harness>) and grows a working
# corpus in build-fuzz/corpus/<harness>; inputs that crash land in
# build-fuzz/artifacts/<harness>/. Copy one into fuzz/corpus/<harness>/ to keep it as a
# regression: the suite replays that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  harnesses=(ProjectLoad ZipReader PacketParser IniReader Address)
fi

bash scripts/setup-debian.sh
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

dir=build-fuzz
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMVL_FUZZ=ON -DMVL_BUILD_TESTS=OFF -DMVL_BUILD_BENCH=OFF >/dev/null
targets=()
for h in "${harnesses[@]}"; do targets+=("fuzz_$h"); done
cmake --build "$dir" -j2 --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
summary=()
for h in "${harnesses[@]}"; do
  work="$dir/corpus/$h"
  artifacts="$dir/artifacts/$h"
  mkdir -p "$work" "$artifacts"
  log="$dir/fuzz_$h.log"
  echo "== $h: ${seconds}s"
  set +e
  "$dir/fuzz/fuzz_$h" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$h" >"$log" 2>&1
  rc=$?
  set -e
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
  corpus=$(find "$work" -type f | wc -l)
  found=$(find "$artifacts" -type f | wc -l)
  line="$h: exit $rc, $execs runs, $rate/s, coverage $cov edges, $ft features, corpus $corpus, findings $found"
  echo "$line"
  summary+=("$line")
done
echo
printf '%s\n' "${summary[@]}"
