#!/usr/bin/env bash
# Installs the Debian packages that `make run` and `make test` need, only those
# that are missing, on a bare Debian 12 as root or through sudo. Safe to run
# again. --extra adds what only the other targets use.
set -euo pipefail

packages=(
  cmake make g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl-dev
  googletest libgtest-dev
  libxlsxwriter-dev libyaz-dev zlib1g-dev libminizip-dev libfreexl-dev libzint-dev libxcb1-dev
  yaz python3-openpyxl libmarc-record-perl libmarc-lint-perl
  fonts-dejavu-core
  poppler-utils zbar-tools
  xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick
  dpkg-dev file desktop-file-utils
  clang-format locales
)
if [ "${1:-}" = "--extra" ]; then
  # Screenshots and the Windows build run under Wine.
  packages+=(librsvg2-bin g++-mingw-w64-x86-64 wine wine64)
  # The Windows programs, their SDK (scripts/build-windows-sdk.sh) and setup program.
  packages+=(g++-mingw-w64-x86-64-posix libwine-dev ninja-build nsis xclip)
  # make fuzz: clang with libFuzzer and the sanitizers' runtimes (only recommended by clang).
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Installing needs root: run this as root, or install sudo." >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
