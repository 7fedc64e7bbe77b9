#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each on its seed corpus.
#   bash scripts/fuzz.sh [target...]     (default: every target in fuzz/)
# FUZZ_SECONDS   run time per target (default 60)
# FUZZ_WORK      scratch folder for new corpus entries, findings and logs
#                (default: a new folder under /tmp); the repository's seed
#                corpus is only read
# A target that finds a crash or a violated property leaves the input as
# FUZZ_WORK/<target>/crash-* (or leak-, timeout-, oom-) and the script exits
# non-zero after running the others.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
work=${FUZZ_WORK:-$(mktemp -d /tmp/vantrel-fuzz-XXXXXX)}

VANTREL_EXTRA_PACKAGES="clang libclang-rt-14-dev ${VANTREL_EXTRA_PACKAGES:-}" \
  bash "$root/scripts/install-deps.sh"

if [[ $# -gt 0 ]]; then
  targets=("$@")
else
  targets=()
  for source in "$root"/fuzz/*.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

if [[ ! -f "$build/build.ninja" ]]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTREL_FUZZ=ON -DBUILD_TESTING=OFF -DVANTREL_BENCH=OFF
fi
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

failed=()
for target in "${targets[@]}"; do
  dir=$work/$target
  # The round-trip targets write (and sync) a scratch file on every run:
  # keep it in memory where the machine allows.
  tmp=$(mktemp -d "$([[ -w /dev/shm ]] && echo /dev/shm || echo "$dir")/vantrel-fuzz-XXXXXX")
  mkdir -p "$dir/corpus"
  echo "== $target: ${seconds}s"
  if TMPDIR=$tmp "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$dir/" "$dir/corpus" "$root/fuzz/corpus/$target" >"$dir/log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)' "$dir/log" || true
  else
    failed+=("$target")
    grep -a -m 3 -E 'Property violated|ERROR: |runtime error|Test unit written' "$dir/log" || tail -n 30 "$dir/log"
  fi
  rm -rf "$tmp"
done

echo "Work folder: $work"
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Findings in: ${failed[*]}"
  ls "$work"/*/crash-* "$work"/*/leak-* "$work"/*/timeout-* "$work"/*/oom-* 2>/dev/null || true
  exit 1
fi
echo "No findings."
