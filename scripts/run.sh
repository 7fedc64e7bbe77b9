#!/usr/bin/env bash
# Builds Vantrel if needed and starts it. With a display, the window program
# starts; without one, vantrel-batch clusters the sample data set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh" >/dev/null
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$build/src/vantrel"
fi
out=${VANTREL_OUTPUT_DIR:-$root/output}
mkdir -p "$out"
echo "No display: running vantrel-batch on samples/fruits.dat"
"$build/src/batch/vantrel-batch" --method complete --merges "$root/samples/fruits.dat" >"$out/fruits-merges.txt"
echo "Merges written to $out/fruits-merges.txt"
"$build/src/batch/vantrel-batch" --method complete --input "$root/samples/fruits.dat" \
  --report "$out/fruits-report.txt" --dendrogram "$out/fruits-dendrogram.pdf"
echo "Report written to $out/fruits-report.txt (Shift-JIS, CR LF)"
echo "Dendrogram page written to $out/fruits-dendrogram.pdf"
