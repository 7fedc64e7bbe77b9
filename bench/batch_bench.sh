#!/bin/sh
# Times a whole `vantrel-batch --merges` run on 1000 objects (500,500 value
# lines of Euclidean distances between random points) and measures its
# peak memory, for each linkage method.
#   bench/batch_bench.sh [BUILD_DIR] [RUNS]
# Targets: median wall time <= 0.4 s, peak resident memory <= 150 MB.
# The CPU time (user + sys) is shown too: on a busy machine the wall time
# mostly measures the wait for a core.
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
echo "data file: $(wc -l <"$data") lines, $(wc -c <"$data") bytes; load average: $(cut -d' ' -f1-3 /proc/loadavg)"

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

for method in complete average single; do
    walls=""
    cpus=""
    peak=0
    run=0
    while [ "$run" -lt "$runs" ]; do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" \
            "$batch" --method "$method" --merges "$data" >"$work/merges.txt"
        read -r wall user sys kb <"$work/time.txt"
        walls="$walls $(awk -v w="$wall" 'BEGIN { printf "%d", w * 1000 }')"
        cpus="$cpus $(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%d", (u + s) * 1000 }')"
        [ "$kb" -gt "$peak" ] && peak=$kb
        run=$((run + 1))
    done
    echo "$method: median wall $(median $walls) ms (all:$walls), median CPU $(median $cpus) ms," \
         "peak memory $((peak / 1024)) MB, $(wc -l <"$work/merges.txt") merges"
done
