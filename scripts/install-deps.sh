#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, only
# those that are missing. Safe to run again.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  googletest libgtest-dev
  libxlsxwriter-dev libyaz-dev
  yaz python3-openpyxl
  fonts-dejavu-core
  poppler-utils
  xvfb xauth xdotool x11-utils x11-xkb-utils
  dpkg-dev file desktop-file-utils
  clang-format
)
if [ "${1:-}" = "--extra" ]; then
  # Screenshots, packaging checks and the Windows file layer run under Wine.
  packages+=(imagemagick librsvg2-bin g++-mingw-w64-x86-64 wine wine64)
  # The Windows programs, their SDK (scripts/build-windows-sdk.sh) and setup program.
  packages+=(g++-mingw-w64-x86-64-posix libwine-dev ninja-build nsis xclip)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
