#!/bin/sh
# Times a whole `vantrel-batch --merges` run on 1000 objects (500,500 value
# lines of Euclidean distances) and measures its peak memory.
#   bench/batch_bench.sh [BUILD_DIR] [RUNS]
# Targets: median wall time <= 0.4 s, peak resident memory <= 150 MB.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
runs=${2:-7}

cmake --build "$build" --target vantrel-batch make_matrix_file -j2 >/dev/null
batch=$build/src/batch/vantrel-batch
maker=$build/bench/make_matrix_file

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/points1000.dat
"$maker" "$data" 1000 1
echo "data file: $(wc -l <"$data") lines, $(wc -c <"$data") bytes"

for method in complete average single; do
    times=""
    run=0
    while [ "$run" -lt "$runs" ]; do
        start=$(date +%s%N)
        "$batch" --method "$method" --merges "$data" >"$work/merges.txt"
        end=$(date +%s%N)
        times="$times $(( (end - start) / 1000000 ))"
        run=$((run + 1))
    done
    median=$(printf '%s\n' $times | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    /usr/bin/time -v "$batch" --method "$method" --merges "$data" >/dev/null 2>"$work/time.txt"
    peak=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$work/time.txt")
    echo "$method: median ${median} ms over $runs runs (all:$times), peak memory $((peak / 1024)) MB, $(wc -l <"$work/merges.txt") merges"
done
