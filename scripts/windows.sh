#!/bin/bash
# The Windows build, made on Debian 12 as root: installs what is missing, makes Qt 6.4.2 for
# MinGW-w64 once into a cache that later runs reuse, cross-builds Zoris and its tests, runs the
# test suite under wine, and makes the installer zoris-<version>-setup.exe and the portable
# zoris-<version>-windows.zip in build-windows/.
#
#   scripts/windows.sh       everything above
#   scripts/windows.sh qt    only the Qt cache (what .ci/run then finds)
#
# ZORIS_WINDOWS_CACHE  the cache (default /var/cache/zoris-windows)
# ZORIS_QT_SEED        a folder holding qt-6.4.2-mingw-w64.tar.xz, unpacked instead of building Qt
#                      (default ../shared/windows/qt-mingw beside the source tree; an empty value
#                      or a missing folder builds Qt from source)
# ZORIS_QT_SOURCES     the folder holding qtsvg- and qtcharts-everywhere-src-6.4.2.tar.xz
#                      (default ../shared/windows/qt-sources; the Qt Project's release archive has
#                      the same files); qtbase comes from Debian's source package
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=${ZORIS_WINDOWS_CACHE:-/var/cache/zoris-windows}
seed=${ZORIS_QT_SEED-$root/../shared/windows/qt-mingw}
sources=${ZORIS_QT_SOURCES:-$root/../shared/windows/qt-sources}
jobs=$(nproc)
qt=$cache/qt-6.4.2-mingw-w64

seed_sha256=4462667f7a30ac33c8c5590050afe35840be35a095583fd4a36a762343e7bb18
qtsvg_sha256=2d3c09923e2aafb55e460b7a8342a7059642e22d5e8f206314cb3c38629ff4a7
qtcharts_sha256=e3686c776025ca22f2a3a31d6940a06089502854a50c6d46648aa7cb05e0fa07
qtbase_version=6.4.2+dfsg-10
qtbase_dsc_sha256=1b4b5c8610a553d4211fa81e268b1a3b0a6339ae5444fdb7e60d7616da651970

windows_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  ninja-build nsis wine64 wine xvfb xauth zip unzip xz-utils dpkg-dev python3-fonttools
)

install_packages() {
  scripts/deps.sh "${windows_packages[@]}"
}

check_sha256() { # FILE SHA256
  echo "$2  $1" | sha256sum --check --quiet - || { echo "$1: checksum differs from $2" >&2; exit 1; }
}

# A deb-src entry for the machine's own URIs and suites, so that apt-get source finds qt6-base.
add_deb_src() {
  local list=/etc/apt/sources.list.d/zoris-deb-src
  [ -e $list.sources ] || [ -e $list.list ] && return
  apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources && return
  if [ -e /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > $list.sources
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > $list.list
  fi
  apt-get update -qq
}

# Configures, builds and installs one Qt module into the prefix being made.
qt_module() { # SOURCE BUILD PREFIX FLAGS...
  local src=$1 build=$2 prefix=$3
  shift 3
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF "$@" >"$build.log"
  cmake --build "$build" -j"$jobs" >>"$build.log"
  cmake --install "$build" >>"$build.log"
}

# qtbase from Debian's source package, qtsvg and qtcharts from their release tarballs, with the
# flags the seed was built with: what Zoris uses, the bundled third-party libraries, no ICU.
build_qt() {
  local work=$cache/work prefix=$qt.partial
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
  check_sha256 "$sources/qtsvg-everywhere-src-6.4.2.tar.xz" $qtsvg_sha256
  check_sha256 "$sources/qtcharts-everywhere-src-6.4.2.tar.xz" $qtcharts_sha256
  add_deb_src
  # The .dsc names the checksums of the other files, which dpkg-source checks when it unpacks.
  (cd "$work" && apt-get source -qq --download-only "qt6-base=$qtbase_version" >apt-source.log)
  check_sha256 "$work/qt6-base_$qtbase_version.dsc" $qtbase_dsc_sha256
  (cd "$work" && dpkg-source -x "qt6-base_$qtbase_version.dsc" >>apt-source.log 2>&1)
  tar -xf "$sources/qtsvg-everywhere-src-6.4.2.tar.xz" -C "$work"
  tar -xf "$sources/qtcharts-everywhere-src-6.4.2.tar.xz" -C "$work"
  local flags=(-DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DBUILD_WITH_PCH=ON)
  local feature
  for feature in sql opengl dynamicgl dbus network concurrent xml openssl tabletevent icu \
                 system_zlib system_pcre2 system_harfbuzz system_freetype system_libpng system_jpeg; do
    flags+=(-DFEATURE_$feature=OFF)
  done
  echo "Building Qt for Windows in $work (about an hour)"
  qt_module "$work/qt6-base-6.4.2+dfsg" "$work/build-qtbase" "$prefix" "${flags[@]}"
  qt_module "$work/qtsvg-everywhere-src-6.4.2" "$work/build-qtsvg" "$prefix"
  qt_module "$work/qtcharts-everywhere-src-6.4.2" "$work/build-qtcharts" "$prefix"
  mv "$prefix" "$qt"
  rm -rf "$work"
}

# The Qt in the cache, or the seed unpacked into it, or else Qt built from source.
prepare_qt() {
  [ -e "$qt/lib/cmake/Qt6/Qt6Config.cmake" ] && return
  mkdir -p "$cache"
  local tarball=$seed/qt-6.4.2-mingw-w64.tar.xz
  if [ -n "$seed" ] && [ -e "$tarball" ]; then
    check_sha256 "$tarball" $seed_sha256
    rm -rf "$qt.partial"
    mkdir -p "$qt.partial"
    tar -xJf "$tarball" -C "$qt.partial" --strip-components=1
    mv "$qt.partial" "$qt"
  else
    build_qt
  fi
}

install_packages
prepare_qt
# Qt's Ukrainian texts for the standard dialogs are the same file on every platform.
install -D -m 644 /usr/share/qt6/translations/qtbase_uk.qm "$qt/translations/qtbase_uk.qm"
echo "Qt for Windows: $qt"
[ "${1:-}" = qt ] && exit 0

# Zoris and its tests against that Qt; the suite under wine, which wants an X display even for
# the offscreen platform; then the zip and the installer.
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows-toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
status=0
xvfb-run -a -s '-screen 0 1366x768x24' sh -ec "
  cmake --build '$build' -j$jobs
  cd '$build'
  ctest --output-on-failure
  cmake --build . --target windows_zip windows_installer" || status=$?
# The prefix's wine server would outlive the display.
WINEPREFIX="$root/$build/wine" /usr/lib/wine/wineserver -k 2>/dev/null || true
[ $status = 0 ] && ls -l "$build"/zoris-*-setup.exe "$build"/zoris-*-windows.zip
exit $status
