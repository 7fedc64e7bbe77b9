#!/bin/sh
# Times a whole `vantrel-batch --merges` run on 1000 objects (500,500 value
# lines of Euclidean distances between random points) and measures its
# peak memory, for each of the seven methods; then, in the same run and on
# the same file, a Python program that reads the file and clusters it with
# fastcluster's method of the same name (Debian's python3-fastcluster,
# installed when missing), and the ratio of the two.
#   bench/batch_bench.sh [BUILD_DIR] [RUNS]
# Targets: median wall time <= 60 ms for complete and single linkage and
# <= 100 ms for group average, peak resident memory <= 40 MB, and at most
# 0.2 of the Python program's time (0.3 for ward, centroid, median and
# weighted). The CPU time (user + sys) is shown too: on a busy machine the
# wall time mostly measures the wait for a core. Figures depend on the
# processor, whose model is printed first.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
runs=${2:-9}

echo "processor: $(lscpu | sed -n 's/^Model name: *//p')"
VANTREL_EXTRA_PACKAGES="python3-fastcluster time" bash "$here/../scripts/install-deps.sh"
cmake --build "$build" --target vantrel-batch make_matrix_file -j2 >/dev/null
batch=$build/src/batch/vantrel-batch
maker=$build/bench/make_matrix_file

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/points1000.dat
"$maker" "$data" 1000 1
echo "data file: $(wc -l <"$data") lines, $(wc -c <"$data") bytes; load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# The Python side does what a script would: read the file, build the
# condensed distance vector, cluster, and print the merges.
cat >"$work/cluster.py" <<'PY'
import sys
import numpy
import fastcluster

with open(sys.argv[2], "rb") as f:
    lines = f.read().split(b"\r\n")
n = int(lines[0])
values = numpy.array(lines[1 + n:1 + n + n * (n - 1) // 2], dtype=numpy.float64)
square = numpy.zeros((n, n))
square[numpy.tril_indices(n, -1)] = values
condensed = square.T[numpy.triu_indices(n, 1)]
merges = fastcluster.linkage(condensed, method=sys.argv[1], preserve_input=False)
sys.stdout.write("".join("%d\t%d\t%.17g\n" % (a, b, h) for a, b, h, _ in merges))
PY

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# time_runs COMMAND...: sets wall_ms (median), cpu_ms (median), peak_kb.
time_runs() {
    walls=""
    cpus=""
    peak_kb=0
    run=0
    while [ "$run" -lt "$runs" ]; do
        # /usr/bin/time counts in hundredths; the wall clock comes from date.
        start=$(date +%s%N)
        /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" >"$work/out.txt" 2>"$work/err.txt"
        end=$(date +%s%N)
        read -r wall user sys kb <"$work/time.txt"
        walls="$walls $(( (end - start) / 1000000 ))"
        cpus="$cpus $(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%d", (u + s) * 1000 }')"
        [ "$kb" -gt "$peak_kb" ] && peak_kb=$kb
        run=$((run + 1))
    done
    wall_ms=$(median $walls)
    cpu_ms=$(median $cpus)
}

for method in complete average single ward centroid median weighted; do
    time_runs "$batch" --method "$method" --merges "$data"
    merges=$(wc -l <"$work/out.txt")
    # Once per method, not once per run: the inversions line, for example.
    cat "$work/err.txt" >&2
    ours=$wall_ms
    echo "$method: median wall $wall_ms ms (all:$walls), median CPU $cpu_ms ms," \
         "peak memory $((peak_kb / 1024)) MB, $merges merges"
    time_runs /usr/bin/python3 "$work/cluster.py" "$method" "$data"
    echo "  python3 + fastcluster: median wall $wall_ms ms, median CPU $cpu_ms ms," \
         "peak memory $((peak_kb / 1024)) MB;" \
         "ratio $(awk -v a="$ours" -v b="$wall_ms" 'BEGIN { printf "%.2f", a / b }')" \
         "(target <= $(case $method in complete | average | single) echo 0.2 ;; *) echo 0.3 ;; esac))"
done
