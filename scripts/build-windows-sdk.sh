#!/usr/bin/env bash
# Builds the libraries the Windows programs link against, statically, for
# 64-bit Windows with Debian's MinGW-w64: Qt (Core, Gui, Widgets, PrintSupport,
# Test and the Windows platform and print plugins), zlib, libxlsxwriter, YAZ,
# minizip, FreeXL, zint and GoogleTest, all from Debian's own source packages.
#
# The result goes to a folder outside the clone named by a hash of this script,
# the files in scripts/windows-sdk and the toolchain file, so a changed recipe
# gets a new folder and an unchanged one is built once:
#   ${LOMIRA_CACHE:-~/.cache/lomira}/windows-sdk-HASH
# Qt, nearly all of the time, is built apart into windows-qt-HASH, named by its
# own recipe alone, and copied in: a change to the other libraries' recipes
# rebuilds only those, in minutes.
# A finished folder holds the stamp file .complete; then the script only
# prints the folder.  --path prints the folder without building.
#
# The first build takes most of an hour on two cores (Qt is nearly all of it).
# Needs: g++-mingw-w64-x86-64-posix, qt6-base-dev-tools (moc, rcc and uic run
# on this machine), libwine-dev (the tablet headers Debian's Qt source lacks),
# ninja-build, dpkg-dev; scripts/install-deps.sh --extra installs them.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
toolchain="$here/cmake/windows-toolchain.cmake"
cache="${LOMIRA_CACHE:-$HOME/.cache/lomira}"
recipes="$here/scripts/windows-sdk"
hash="$(cat "$0" "$toolchain" "$recipes"/* | sha256sum | cut -c1-12)"
sdk="$cache/windows-sdk-$hash"

if [ "${1:-}" = "--path" ]; then
  echo "$sdk"
  exit 0
fi

# Debian 12's versions, the ones the Linux build uses; the same sources give
# the same SDK.
qt_source=qt6-base=6.4.2+dfsg-10
sources=("$qt_source" zlib=1:1.2.13.dfsg-1 libxlsxwriter=1.1.4-2
  yaz=5.34.0-1 googletest=1.12.1-0.2 minizip=1.1-8+deb12u1 freexl=1.0.6-2 zint=2.11.1-1)

jobs="${JOBS:-$(nproc)}"
work="$cache/windows-build"
src="$work/src"
mkdir -p "$cache" "$work"

step() { echo "== $(date -u +%H:%M:%S) windows-sdk: $*"; }

# One build at a time: a second caller waits, then finds the stamp.
exec 9>"$cache/windows-sdk.lock"
flock 9
if [ -f "$sdk/.complete" ]; then
  echo "$sdk"
  exit 0
fi
started=$(date +%s)
mkdir -p "$sdk/lib/pkgconfig" "$sdk/include"

# A private apt configuration that knows Debian 12's source packages, at the
# machine's own mirror, leaving the machine's apt sources as they are.
fetch_sources() {
  local apt="$work/apt" uri
  uri="$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)"
  [ -n "$uri" ] || uri="$(awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' /etc/apt/sources.list 2>/dev/null)"
  [ -n "$uri" ] || { echo "No Debian mirror found in the machine's apt sources" >&2; exit 1; }
  mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial" "$src"
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
    "$uri" /usr/share/keyrings/debian-archive-keyring.gpg >"$apt/sources/debian-src.sources"
  local opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/sources"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
  step "fetching Debian source packages"
  apt-get "${opts[@]}" -qq update
  (cd "$src" && apt-get "${opts[@]}" -qq source --download-only "${sources[@]}")
}

# Unpacks a source package once (with Debian's patches) and prints its folder.
unpack() {
  local name="$1" dir
  dir="$(find "$src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n1)"
  if [ -z "$dir" ]; then
    local dsc
    dsc="$(find "$src" -maxdepth 1 -name "${name}_*.dsc" | head -n1)"
    (cd "$src" && dpkg-source -x "$(basename "$dsc")" >/dev/null)
    dir="$(find "$src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n1)"
  fi
  echo "$dir"
}

# Configures for Windows, installing into $prefix (the SDK unless told).
cmake_cross() {
  local source="$1" build="$2"
  shift 2
  cmake --fresh -G Ninja -S "$source" -B "$build" -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DLOMIRA_WINDOWS_SDK="$sdk" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="${prefix:-$sdk}" \
    -DBUILD_SHARED_LIBS=OFF "$@" >"$build.configure.log" ||
    { cat "$build.configure.log" >&2; exit 1; }
}

build_zlib() {
  step "zlib"
  local s b="$work/zlib"
  s="$(unpack zlib)"
  mkdir -p "$b"
  # Only the static library: the DLL's resource step does not cross-build.
  cmake_cross "$s" "$b"
  cmake --build "$b" -j"$jobs" --target zlibstatic
  install -m644 "$(find "$b" -maxdepth 1 -name 'lib*static.a' | head -n1)" "$sdk/lib/libz.a"
  install -m644 "$s/zlib.h" "$b/zconf.h" "$sdk/include/"
}

build_googletest() {
  step "GoogleTest"
  local s b="$work/googletest"
  s="$(unpack googletest)"
  mkdir -p "$b"
  cmake_cross "$s" "$b" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
  cmake --build "$b" -j"$jobs"
  cmake --install "$b" >/dev/null
}

build_xlsxwriter() {
  step "libxlsxwriter"
  local s b="$work/libxlsxwriter"
  s="$(unpack libxlsxwriter)"
  mkdir -p "$b"
  cmake_cross "$s" "$b" -DZLIB_LIBRARY="$sdk/lib/libz.a" -DZLIB_INCLUDE_DIR="$sdk/include"
  cmake --build "$b" -j"$jobs"
  cmake --install "$b" >/dev/null
  # A static library names what it needs itself.
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: xlsxwriter\nDescription: xlsx writer\nVersion: 1.1.4\nLibs: -L${libdir} -lxlsxwriter -lz\nCflags: -I${includedir}\n' \
    "$sdk" >"$sdk/lib/pkgconfig/xlsxwriter.pc"
}

# YAZ's ISO 2709 and MARCXML code lives in its library; the network server,
# XML reading and the thread helpers are left out (no libxml2, no POSIX
# threads mixed with Windows ones).
build_yaz() {
  step "YAZ"
  local s
  s="$(unpack yaz)"
  # Its headers would mark every name as a DLL's; a static library has none.
  local static_names="-DYAZ_EXPORT= -DYAZ_IMPORT="
  (
    cd "$s"
    [ -f .lomira-configured ] || {
      LIBS=-lws2_32 ac_cv_func_getaddrinfo=yes CPPFLAGS="$static_names" ./configure -q \
        --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix \
        --disable-shared --enable-static --disable-threads --without-xml2 --without-xslt \
        --without-icu --without-gnutls --without-openssl --disable-tcpd >/dev/null
      make -s -C src clean >/dev/null
      touch .lomira-configured
    }
    make -s -C src -j"$jobs" libyaz.la >/dev/null 2>"$work/yaz.warnings"
  )
  install -m644 "$s/src/.libs/libyaz.a" "$sdk/lib/"
  mkdir -p "$sdk/include/yaz"
  install -m644 "$s"/src/yaz/*.h "$sdk/include/yaz/"
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: yaz\nDescription: YAZ\nVersion: 5.34.0\nLibs: -L${libdir} -lyaz -lws2_32\nCflags: -I${includedir} %s\n' \
    "$sdk" "$static_names" >"$sdk/lib/pkgconfig/yaz.pc"
}

# minizip's reading and writing of zip files, as Debian builds it, with the
# Windows file functions beside; headers in include/minizip as Debian has them.
build_minizip() {
  step "minizip"
  local s b="$work/minizip" f
  s="$(unpack minizip)"
  mkdir -p "$b" "$sdk/include/minizip"
  : >"$work/minizip.warnings"
  for f in ioapi unzip zip mztools iowin32; do
    x86_64-w64-mingw32-gcc-posix -O2 -I"$sdk/include" -c "$s/$f.c" -o "$b/$f.o" 2>>"$work/minizip.warnings"
  done
  rm -f "$b/libminizip.a"
  x86_64-w64-mingw32-ar rcs "$b/libminizip.a" "$b"/*.o
  install -m644 "$b/libminizip.a" "$sdk/lib/"
  install -m644 "$s"/{ioapi,unzip,zip,mztools,crypt,iowin32}.h "$sdk/include/minizip/"
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include/minizip\n\nName: minizip\nDescription: zip files\nVersion: 1.1\nLibs: -L${libdir} -lminizip -lz\nCflags: -I${includedir}\n' \
    "$sdk" >"$sdk/lib/pkgconfig/minizip.pc"
}

# Windows' C library has no iconv; FreeXL's few conversions (a code page or
# UTF-16LE to UTF-8) go through the system's own, in scripts/windows-sdk.
build_iconv() {
  step "iconv"
  local b="$work/iconv"
  mkdir -p "$b"
  x86_64-w64-mingw32-gcc-posix -O2 -Wall -c "$recipes/iconv.c" -o "$b/iconv.o"
  rm -f "$b/libiconv.a"
  x86_64-w64-mingw32-ar rcs "$b/libiconv.a" "$b/iconv.o"
  install -m644 "$b/libiconv.a" "$sdk/lib/"
  install -m644 "$recipes/iconv.h" "$recipes/localcharset.h" "$sdk/include/"
}

build_freexl() {
  step "FreeXL"
  local s
  s="$(unpack freexl)"
  (
    cd "$s"
    [ -f .lomira-configured ] || {
      ac_cv_search_locale_charset=-liconv CPPFLAGS="-I$sdk/include" LDFLAGS="-L$sdk/lib" ./configure -q \
        --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --disable-shared --enable-static \
        >"$work/freexl.configure.log" 2>&1 || { cat "$work/freexl.configure.log" >&2; exit 1; }
      make -s -C src clean >/dev/null
      touch .lomira-configured
    }
    make -s -C src -j"$jobs" libfreexl.la >/dev/null 2>"$work/freexl.warnings"
  )
  install -m644 "$s/src/.libs/libfreexl.a" "$sdk/lib/"
  install -m644 "$s/headers/freexl.h" "$sdk/include/"
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: freexl\nDescription: xls reading\nVersion: 1.0.6\nLibs: -L${libdir} -lfreexl -liconv -lm\nCflags: -I${includedir}\n' \
    "$sdk" >"$sdk/lib/pkgconfig/freexl.pc"
}

# zint's barcode library alone, as the labels use it: its sources compiled
# straight into a static library (its own build always adds the DLL, whose
# resource step does not cross-build, and the command-line and Qt front
# ends), without PNG output, which the labels never ask for.
build_zint() {
  step "zint"
  local s b="$work/zint" f
  s="$(unpack zint)"
  mkdir -p "$b"
  rm -f "$b"/*.o "$b/libzint.a"
  : >"$work/zint.warnings"
  for f in vector ps svg emf bmp pcx gif png tif raster output common library large reedsol gs1 eci general_field \
    bc412 code code128 2of5 upcean telepen medical plessey rss postal auspost imail mailmark code16k codablock \
    dmatrix pdf417 qr maxicode composite aztec code49 code1 gridmtx hanxin dotcode ultra; do
    x86_64-w64-mingw32-gcc-posix -O2 -DNO_PNG -c "$s/backend/$f.c" -o "$b/$f.o" 2>>"$work/zint.warnings"
  done
  x86_64-w64-mingw32-ar rcs "$b/libzint.a" "$b"/*.o
  install -m644 "$b/libzint.a" "$sdk/lib/"
  install -m644 "$s/backend/zint.h" "$sdk/include/"
}

# Three mends of Debian's Qt source for a Windows build without OpenGL and
# Direct2D; each is made once.
mend_qt() {
  local s="$1"
  # The tablet headers are missing: Wine's (LGPL) serve, given the three
  # macros its own headers would define.
  if [ ! -f "$s/src/3rdparty/wintab/wintab.h" ]; then
    mkdir -p "$s/src/3rdparty/wintab"
    {
      echo '#define API WINAPI'
      echo '#define WINELIB_NAME_AW(x) x##W'
      echo '#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;'
      cat /usr/include/wine/wine/windows/wintab.h
    } >"$s/src/3rdparty/wintab/wintab.h"
    cp /usr/include/wine/wine/windows/pktdef.h "$s/src/3rdparty/wintab/"
  fi
  # With OpenGL off, the dynamic-GL branch still names an OpenGL function.
  sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    "$s/src/plugins/platforms/windows/qwindowswindow.cpp"
  # The DirectWrite font engine is built only with Direct2D, which we leave
  # out, yet the Windows plugin and print engine use it whenever DirectWrite
  # is on.
  sed -i 's/CONDITION QT_FEATURE_direct2d AND QT_FEATURE_directwrite/CONDITION QT_FEATURE_directwrite/' \
    "$s/src/gui/CMakeLists.txt"
  sed -i 's/QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/QT_CONFIG(directwrite)/' \
    "$s/src/gui/text/windows/qwindowsfontdatabasebase.cpp" "$s/src/gui/text/windows/qwindowsfontdatabase.cpp"
}

build_qt() {
  step "Qt (about 1,000 steps; the long part)"
  local s b="$work/qtbase"
  s="$(unpack qt6-base)"
  mend_qt "$s"
  mkdir -p "$b"
  prefix="$qt" cmake_cross "$s" "$b" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  NINJA_STATUS="[qt %f/%t %es] " cmake --build "$b" -j"$jobs"
  cmake --install "$b" >/dev/null
}

# Qt's folder is named by its own recipe: the functions above that make it,
# its source and the toolchain.
qt="$cache/windows-qt-$( (declare -f mend_qt build_qt; echo "$qt_source"; cat "$toolchain") | sha256sum | cut -c1-12)"

fetch_sources
if [ ! -f "$qt/.complete" ]; then
  rm -rf "$qt"
  build_qt
  touch "$qt/.complete"
fi
cp -a "$qt/." "$sdk/"
rm "$sdk/.complete"
build_zlib
build_googletest
build_xlsxwriter
build_yaz
build_minizip
build_iconv
build_freexl
build_zint

touch "$sdk/.complete"
step "done in $(($(date +%s) - started)) s: $(du -sh "$sdk" | cut -f1) in $sdk"
echo "$sdk"
