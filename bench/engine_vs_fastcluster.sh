#!/bin/sh
# Times the engine and fastcluster (Debian's python3-fastcluster, installed
# when missing) side by side on one matrix data file of 1000 objects
# (bench/make_matrix_file: Euclidean distances between random points), and
# prints each method's time and the ratio engine / fastcluster, for the
# seven methods of the same names: complete, average, single, ward,
# centroid, median, weighted.
#   bench/engine_vs_fastcluster.sh [BUILD_DIR] [RUNS] [ROUNDS]
# RUNS (default 15) runs per method give one median; ROUNDS (default 3)
# alternate the two programs, and the figures are the medians over the
# rounds, so that a change of load hits both alike.
#
# Only the clustering is timed: engine_bench calls MergeDissimilarities /
# MergeSimilarities on data already in memory, and the Python side times
# fastcluster.linkage(condensed distances, method, preserve_input=True),
# which copies its input as the engine does. fastcluster's ward, centroid
# and median take the distances, square them and report square roots, as
# the engine does. fastcluster has no similarity mode: for similarity data
# (s = max d - d, as engine_bench makes them) it clusters the distances
# max s - s, which is what a user would give it; of the four new methods
# only weighted takes similarities.
# Targets: complete and single linkage at most 1.0 x fastcluster, group
# average, ward, centroid, median and weighted at most 2.0 x, similarities
# the same. Figures depend on the processor, whose model is printed first.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
runs=${2:-15}
rounds=${3:-3}
python=/usr/bin/python3

echo "processor: $(lscpu | sed -n 's/^Model name: *//p')"
if ! "$python" -c 'import fastcluster, numpy' 2>/dev/null; then
    VANTREL_EXTRA_PACKAGES="python3-fastcluster python3-numpy" bash "$here/../scripts/install-deps.sh"
fi
cmake --build "$build" --target engine_bench make_matrix_file -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/points1000.dat
"$build/bench/make_matrix_file" "$data" 1000 1

cat >"$work/fastcluster_bench.py" <<'EOF'
import sys, time
import numpy as np
import fastcluster

def load(name):
    with open(name, 'rb') as f:
        lines = f.read().split(b'\r\n')
    n = int(lines[0])
    values = np.array([float(x) for x in lines[1 + n:1 + n + n * (n - 1) // 2]])
    # The file lists the lower triangle row by row; fastcluster wants the
    # upper triangle row by row (the condensed form).
    rows, cols = np.tril_indices(n, -1)
    square = np.zeros((n, n))
    square[rows, cols] = values
    square += square.T
    return square[np.triu_indices(n, 1)].copy()

def median_ms(work, runs):
    wall, cpu = [], []
    for _ in range(runs):
        w, c = time.perf_counter(), time.process_time()
        work()
        cpu.append(time.process_time() - c)
        wall.append(time.perf_counter() - w)
    return sorted(wall)[runs // 2] * 1e3, sorted(cpu)[runs // 2] * 1e3

distances = load(sys.argv[1])
runs = int(sys.argv[2])
similarities = distances.max() - distances
kinds = (('dissimilarities', distances,
          ('complete', 'average', 'single', 'ward', 'centroid', 'median', 'weighted')),
         ('similarities', similarities.max() - similarities, ('complete', 'average', 'single', 'weighted')))
for kind, data, methods in kinds:
    for method in methods:
        wall, cpu = median_ms(lambda: fastcluster.linkage(data, method=method, preserve_input=True), runs)
        print('%s %s %.3f %.3f' % (method, kind, wall, cpu))
EOF

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
round=1
while [ "$round" -le "$rounds" ]; do
    "$build/bench/engine_bench" --no-worst-cases "$data" "$runs" 0 |
        awk '/ ms wall / { sub(",", "", $1); print $1, $2, $3, $6 }' >>"$work/engine.txt"
    "$python" "$work/fastcluster_bench.py" "$data" "$runs" >>"$work/fastcluster.txt"
    round=$((round + 1))
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"

# Medians over the rounds; lines are "method kind wall processor".
awk '
function median(list,   n, i, j, t, v) {
    n = split(list, v, " ")
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
    return v[int((n + 1) / 2)]
}
FNR == 1 { file++ }
{ key = $1 " " $2; if (file == 1) { ew[key] = ew[key] " " $3; ec[key] = ec[key] " " $4 }
  else { fw[key] = fw[key] " " $3; fc[key] = fc[key] " " $4 } }
END {
    printf "%-26s %10s %10s %7s   %10s %10s %7s\n", "N = 1000, ms (median)", "engine", "fastclust", "ratio", "engine cpu", "fc cpu", "ratio"
    split("complete average single ward centroid median weighted", methods, " ")
    split("dissimilarities similarities", kinds, " ")
    for (k = 1; k <= 2; k++) for (m = 1; m <= 7; m++) {
        key = methods[m] " " kinds[k]
        if (!(key in ew) || !(key in fw)) continue
        a = median(ew[key]); b = median(fw[key]); c = median(ec[key]); d = median(fc[key])
        printf "%-26s %10.2f %10.2f %7.2f   %10.2f %10.2f %7.2f\n", key, a, b, a / b, c, d, c / d
    }
}' "$work/engine.txt" "$work/fastcluster.txt"
