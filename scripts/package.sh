#!/usr/bin/env bash
# Builds the Debian package from build/ (or $VANTREL_BUILD_DIR) into
# build/package/vantrel_<version>_<arch>.deb, installs it into a scratch
# folder and checks what it installed:
#  - the control data: name, version, architecture, and Depends holding the
#    libraries found by dpkg-shlibdeps and the data packages added by hand;
#  - every file a desktop program needs, the PNG icons at their sizes;
#  - no path into the source or build tree in the programs, no RPATH;
#  - vantrel-batch runs from another folder on the installed sample;
#  - its man page names every option of its --help;
#  - the window program starts (offscreen) and keeps running;
#  - desktop-file-validate and appstreamcli validate --no-net pass, without
#    errors or warnings, and the desktop entry, the metainfo, the icon and the
#    program share one application id.
# Exits non-zero on the first failure. The test command runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_BUILD_DIR:-$root/build}

bash "$root/scripts/build.sh"

app_id=$(sed -n 's/^set(VANTREL_APP_ID \([^)]*\))$/\1/p' "$root/packaging/CMakeLists.txt")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb=$build/package/vantrel_${version}_${arch}.deb

fail() {
  echo "package check failed: $*" >&2
  exit 1
}

echo "== Debian package"
rm -f "$build"/package/*.deb
log=$(cd "$build" && cpack -G DEB 2>&1) || { echo "$log"; fail "cpack"; }
[[ -f "$deb" ]] || { echo "$log"; fail "no $deb"; }
echo "$deb"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-package-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
prefix=$scratch/root/usr
mkdir "$scratch/elsewhere"

# Control data.
[[ $(dpkg-deb -f "$deb" Package) == vantrel ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "version"
[[ $(dpkg-deb -f "$deb" Architecture) == "$arch" ]] || fail "architecture"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
  qt6-translations-l10n fonts-ipafont-gothic fonts-ipafont-mincho; do
  grep -qx -- "$package" <<<"$depends_names" || fail "Depends lacks $package"
done

# Installed files.
files=(
  bin/vantrel
  bin/vantrel-batch
  "$(cd "$prefix" && ls lib/*/vantrel/vantrel-batch-page.so 2>/dev/null || echo lib/vantrel/vantrel-batch-page.so)"
  "share/applications/$app_id.desktop"
  "share/metainfo/$app_id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$app_id.svg"
  share/man/man1/vantrel.1.gz
  share/man/man1/vantrel-batch.1.gz
  share/vantrel/samples/fruits.dat
  share/vantrel/samples/fruits-sim.dat
  share/doc/vantrel/README.md
  share/doc/vantrel/docs/guide.ja.md
)
for size in 16 24 32 48 64 128 256; do
  png=share/icons/hicolor/${size}x${size}/apps/$app_id.png
  files+=("$png")
  [[ $(file -b "$prefix/$png") == "PNG image data, $size x $size,"* ]] || fail "$png is not $size x $size"
done
for path in "${files[@]}"; do
  [[ -s "$prefix/$path" ]] || fail "missing /usr/$path"
done
for program in vantrel vantrel-batch; do
  [[ -x "$prefix/bin/$program" ]] || fail "$program is not executable"
  ! readelf -d "$prefix/bin/$program" | grep -qE 'RPATH|RUNPATH' || fail "$program has an RPATH"
  ! grep -qaF -e "$root/" -e "$build/" "$prefix/bin/$program" || fail "$program names the source or build tree"
done
echo "$(find "$scratch/root" -type f | wc -l) files installed"

# vantrel-batch from elsewhere, on the installed samples.
(
  cd "$scratch/elsewhere"
  "$prefix/bin/vantrel-batch" --help >help.txt
  "$prefix/bin/vantrel-batch" --method average --merges "$prefix/share/vantrel/samples/fruits.dat" >merges.txt
  "$prefix/bin/vantrel-batch" --kind sim --input "$prefix/share/vantrel/samples/fruits-sim.dat" \
    --report report.txt --dendrogram page.pdf
) || fail "vantrel-batch did not run from another folder"
[[ $(wc -l <"$scratch/elsewhere/merges.txt") -eq 7 ]] || fail "vantrel-batch printed no 7 merges for 8 objects"
[[ -s "$scratch/elsewhere/report.txt" && -s "$scratch/elsewhere/page.pdf" ]] || fail "vantrel-batch wrote no report or page"

# The man page follows --help: it names every option.
man_text=$(gzip -dc "$prefix/share/man/man1/vantrel-batch.1.gz" | sed 's/\\-/-/g')
for option in $(grep -oE -- '--[a-z][a-z-]*' "$scratch/elsewhere/help.txt" | sort -u); do
  grep -qF -- "$option" <<<"$man_text" || fail "the man page of vantrel-batch lacks $option"
done

# The window program starts and waits for the user.
status=0
(cd "$scratch/elsewhere" && QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/bin/vantrel" 2>/dev/null) || status=$?
[[ $status -eq 124 ]] || fail "vantrel ended with status $status instead of running"

# Desktop entry and metainfo.
desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
output=$(desktop-file-validate "$desktop") || { echo "$output"; fail "desktop-file-validate"; }
if [[ -n "$output" ]]; then echo "$output"; fi
! grep -qE ': (error|warning): ' <<<"$output" || fail "desktop-file-validate warns"
output=$(appstreamcli validate --no-net "$metainfo" 2>&1) || { echo "$output"; fail "appstreamcli validate"; }
grep -v '^$' <<<"$output" || true
grep -qx 'Exec=vantrel' "$desktop" || fail "Exec is not vantrel"
grep -qx "Icon=$app_id" "$desktop" || fail "Icon is not $app_id"
grep -qF "<id>$app_id</id>" "$metainfo" || fail "metainfo id"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "metainfo launchable"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release notes for $version"
# setDesktopFileName's argument, a QStringLiteral (UTF-16) in the program.
utf16=$(printf '%s' "$app_id" | sed 's/[.]/\\./g; s/\(\\\.\|[^\\]\)/\1\\x00/g')
LC_ALL=C grep -qaP "$utf16" "$prefix/bin/vantrel" || LC_ALL=C grep -qaF "$app_id" "$prefix/bin/vantrel" ||
  fail "vantrel does not name its desktop entry $app_id"

echo "Package checked: $deb"
