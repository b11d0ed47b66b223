#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian 12 machine (as root), then
# cross-compiles libjpeg-turbo for the release build once, cached under build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

need_pkgs=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev libjpeg-dev
           g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
           wine wine32 fonts-wine fonts-liberation fonts-dejavu-core
           xvfb xdotool imagemagick x11-utils dpkg-dev file python3 nsis)

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The release links libjpeg-turbo built from the distribution's own source package.
jpeg_prefix="$root/build/deps/libjpeg-i686"
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    # Mirror the existing binary entries as source entries, keeping their options.
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && sed -i -E 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb deb-src/' "$f"
    done
    if [ -f /etc/apt/sources.list ] && grep -qE '^deb ' /etc/apt/sources.list; then
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/horavo-src.list
    fi
    apt-get update -q
  fi
  src="$root/build/deps/src"
  rm -rf "$src" && mkdir -p "$src"
  (cd "$src" && apt-get source -q --download-only libjpeg-turbo && dpkg-source -x --skip-patches ./*.dsc jpeg >/dev/null)
  cat > "$src/toolchain.cmake" <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
TC
  cmake -S "$src/jpeg" -B "$src/build" -DCMAKE_TOOLCHAIN_FILE="$src/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" >/dev/null
  cmake --build "$src/build" -j2 >/dev/null
  cmake --install "$src/build" >/dev/null
fi
