#!/usr/bin/env bash
# Installs the .deb on a fresh Debian 12 in a chroot and starts both programs
# there, as a user of the package would. Needs root, debootstrap and a Debian
# 12 source in this machine's apt configuration; not part of the test command
# (it takes some minutes).
#
#   bash packaging/check-in-chroot.sh [build/package/vantrel_*.deb]
#
# CHROOT_DIR   where the Debian 12 system goes (default /var/tmp/vantrel-bookworm);
#              an existing one is reused as it is, so remove it for a fresh start
# The package sources are this machine's own, as apt reads them (apt-get
# indextargets): every source of the suites bookworm, bookworm-updates and
# bookworm-security, with its components. So the chroot comes from whatever
# mirror this network uses, and the repository names none.
# What it does, in order:
#  1. debootstrap a minimal Debian 12 (bookworm, with the updates and security
#     suites this machine has) unless CHROOT_DIR exists;
#  2. apt-get install --no-install-recommends ./vantrel_*.deb: the package's
#     own Depends must bring everything the programs need;
#  3. vantrel-batch --help and an analysis of the installed sample, from
#     another folder, with a PNG dendrogram (Japanese labels: the IPA fonts);
#  4. the window program under QT_QPA_PLATFORM=offscreen: still running after
#     5 s;
#  5. xvfb, gtk-launch, x11-utils and ImageMagick added: the desktop entry
#     started by its id on an X display, as a menu does; the window's
#     WM_CLASS shown (the entry's StartupWMClass), a screenshot of the display
#     taken (CHROOT_DIR/tmp/vantrel-check/screen.png);
#  6. desktop-file-validate and appstreamcli validate on the installed files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=${1:-$(ls "$root"/build/package/vantrel_*.deb | head -n 1)}
dir=${CHROOT_DIR:-/var/tmp/vantrel-bookworm}
app_id=io.github.vantrel.Vantrel

# "URI SUITE COMPONENT" for every Debian 12 package index this machine's apt
# knows of, in apt's own order. (The $(...) are apt's fields, not the shell's.)
bookworm_indexes() {
  # shellcheck disable=SC2016
  apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' 'Target-Of: deb' |
    awk '$2 ~ /^bookworm(-updates|-security)?$/ && !seen[$0]++'
}

if [[ ! -d "$dir" ]]; then
  indexes=$(bookworm_indexes)
  mirror=$(awk '$2 == "bookworm" { print $1; exit }' <<<"$indexes")
  if [[ -z "$mirror" ]]; then
    echo "This machine's apt sources hold no Debian 12 (bookworm) suite to install from." >&2
    exit 1
  fi
  command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap
  debootstrap --variant=minbase bookworm "$dir" "$mirror"
  # One line per source and suite, with its components.
  awk '{ key = $1 " " $2; if (!(key in parts)) order[n++] = key; parts[key] = parts[key] " " $3 }
       END { for (i = 0; i < n; i++) print "deb " order[i] parts[order[i]] }' \
    <<<"$indexes" >"$dir/etc/apt/sources.list"
fi

# Each command runs in its own PID namespace with its own /proc: it sees, and
# can end, only its own processes. A shell stays process 1 there, since
# process 1 gets no signal it has no handler for (xvfb-run waits for one).
in_chroot() {
  unshare --pid --fork --mount-proc="$dir/proc" chroot "$dir" \
    /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    /bin/sh -c '"$@"; exit $?' sh "$@"
}

work=/tmp/vantrel-check
rm -rf "$dir$work" && mkdir -p "$dir$work/elsewhere"
cp "$deb" "$dir$work/"
echo "== Debian $(cat "$dir/etc/debian_version"), installing $(basename "$deb")"
in_chroot apt-get -o Dpkg::Use-Pty=0 update -qq
in_chroot env DEBIAN_FRONTEND=noninteractive apt-get -o Dpkg::Use-Pty=0 install -y -qq --no-install-recommends "$work/$(basename "$deb")"
in_chroot dpkg -L vantrel

echo "== vantrel-batch from another folder"
in_chroot sh -c "cd $work/elsewhere && command -v vantrel-batch && vantrel-batch --help >/dev/null &&
  vantrel-batch --method average --merges /usr/share/vantrel/samples/fruits.dat &&
  vantrel-batch --input /usr/share/vantrel/samples/fruits.dat --report fruits.txt --dendrogram fruits.png &&
  ls -l"

echo "== vantrel, offscreen, 5 s"
status=0
in_chroot env QT_QPA_PLATFORM=offscreen timeout 5 vantrel || status=$?
[[ $status -eq 124 ]] || { echo "vantrel ended early with status $status"; exit 1; }
echo "still running after 5 s"

echo "== The desktop entry on an X display"
in_chroot env DEBIAN_FRONTEND=noninteractive apt-get -o Dpkg::Use-Pty=0 install -y -qq --no-install-recommends \
  xvfb xauth libgtk-3-bin x11-utils imagemagick desktop-file-utils appstream >/dev/null
cat >"$dir$work/x-session.sh" <<EOF
set -e
cd $work/elsewhere
gtk-launch $app_id
sleep 6
ps -o pid,args -C vantrel | grep vantrel
window=\$(xwininfo -root -tree | grep '"Cluster Analysis"' | awk '{print \$1}' | head -n 1)
xprop -id "\$window" WM_NAME WM_CLASS
import -window root $work/screen.png
EOF
# The program loses its display and ends when xvfb-run stops the server.
in_chroot xvfb-run -a -s '-screen 0 800x600x24' sh "$work/x-session.sh"
echo "screenshot: $dir$work/screen.png"

echo "== Validators"
in_chroot desktop-file-validate /usr/share/applications/$app_id.desktop
in_chroot appstreamcli validate --no-net /usr/share/metainfo/$app_id.metainfo.xml
echo "Package checked on Debian $(cat "$dir/etc/debian_version")."
