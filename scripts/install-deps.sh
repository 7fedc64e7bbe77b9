#!/usr/bin/env bash
# Installs the Debian packages Vantrel needs, only those that are missing.
# Quick when everything is there: it asks dpkg, not the network.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  # vantrel-batch writes the page as SVG too.
  qt6-svg-dev
  libgtest-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  qt6-translations-l10n
  # The print system: jobs handed over whole, and its answer to them.
  libcups2-dev
  # The printing tests' own print system: a private cupsd with a cups-pdf
  # queue standing in for a printer (started and stopped by the tests).
  cups printer-driver-cups-pdf
  # The installable program: icons rendered from SVG, the man page from
  # --help, the .deb with its library dependencies (dpkg-shlibdeps, file),
  # and the validators of the desktop entry and the metainfo.
  librsvg2-bin help2man dpkg-dev file desktop-file-utils appstream
)
if [[ "${VANTREL_EXTRA_PACKAGES:-}" != "" ]]; then
  read -r -a extra <<<"$VANTREL_EXTRA_PACKAGES"
  packages+=("${extra[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
