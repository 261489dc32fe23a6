#!/usr/bin/env bash
# Installs every Debian package the build, the program and the test suites need.
# Idempotent: when everything is present it only checks and returns.
#
# A package mirror in the middle of a sync serves some index with the wrong
# size: `apt-get update` is then retried with a growing pause, and the install
# goes on with whatever indexes it has. The 32-bit Wine is the one package we
# can do without: its i386 libraries must match the amd64 ones exactly, which
# a lagging i386 index cannot give, and without it the Wine suites run on the
# 64-bit build, as on a host that has no 32-bit mode. Any other package that
# cannot be had fails the install and is named.
set -euo pipefail

optional=wine32:i386
packages=(
  make cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine "$optional" wine64 fonts-wine xvfb xdotool imagemagick x11-utils xclip python3 chromium
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# npm comes with some Node.js builds and is a package of its own in Debian's.
command -v npm >/dev/null 2>&1 || packages+=(npm)

# axe-core, the accessibility checker the end-to-end suite runs in Chromium,
# is no Debian package: it comes from the npm registry into the build tree,
# once, at the version named here. Called on every way out below.
axe_dir=$(cd "$(dirname "$0")/.." && pwd)/build/npm
install_axe() {
  [ -f "$axe_dir/node_modules/axe-core/axe.min.js" ] && return 0
  command -v npm >/dev/null 2>&1 || return 0  # the apt step below brings it
  mkdir -p "$axe_dir"
  npm install --prefix "$axe_dir" --no-audit --no-fund --no-save --silent axe-core@4.10.3 >/dev/null ||
    { echo "install.sh: cannot install axe-core from the npm registry" >&2; return 1; }
}

# Where the 32-bit Wine could not be had, one make command calls this script
# several times; an hour passes before a mirror in sync is tried again.
stamp=$(cd "$(dirname "$0")/.." && pwd)/build/.wine32-unavailable

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && { install_axe; exit; }
if [ "${missing[*]}" = "$optional" ] && [ -n "$(find "$stamp" -mmin -60 2>/dev/null)" ]; then
  install_axe
  exit
fi

if [ "$(id -u)" -ne 0 ]; then
  if [ "${missing[*]}" = "$optional" ]; then
    echo "install.sh: $optional is not installed (root could install it); the 64-bit build stands in for the shipped one in the Wine suites"
    install_axe
    exit
  fi
  echo "install.sh: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi

echo "install.sh: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive

pauses=(10 20 40)
for attempt in 0 1 2 3; do
  apt-get update -qq && break
  if [ "$attempt" -eq ${#pauses[@]} ]; then
    echo "install.sh: some package indexes still fail; installing from the ones that came" >&2
    break
  fi
  echo "install.sh: apt-get update failed (a mirror in sync?); again in ${pauses[$attempt]} s" >&2
  sleep "${pauses[$attempt]}"
done

apt_install() { apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }

required=()
for p in "${missing[@]}"; do
  [ "$p" = "$optional" ] || required+=("$p")
done
if [ ${#required[@]} -gt 0 ] && ! apt_install "${required[@]}"; then
  # apt refuses the whole list for one package; find the ones at fault.
  failed=()
  for p in "${required[@]}"; do
    apt_install "$p" 2>/dev/null || failed+=("$p")
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "install.sh: cannot install ${failed[*]}" >&2
    exit 1
  fi
fi

if ! installed "$optional" && ! apt_install "$optional"; then
  echo "install.sh: $optional cannot be installed now; the 64-bit build stands in for the shipped one in the Wine suites"
  mkdir -p "$(dirname "$stamp")" && touch "$stamp"
fi
install_axe
