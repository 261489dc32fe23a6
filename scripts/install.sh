#!/usr/bin/env bash
# Installs every Debian package the build, the program and the test suites need.
# Idempotent: when everything is present it only checks and returns.
#
# A package mirror in the middle of a sync serves some index with the wrong
# size: `apt-get update` is then retried with a growing pause, and the install
# goes on with whatever indexes it has. The 32-bit Wine is the one package we
# can do without: its i386 libraries must match the amd64 ones exactly, which
# a lagging i386 index cannot give. On a host with a 32-bit mode it is tried
# once more with those libraries taken to the i386 index's versions; failing
# that, the Wine suites run on the 64-bit build, as on a host that has no
# 32-bit mode. Any other package that cannot be had fails the install and is
# named.
set -euo pipefail

optional=wine32:i386
packages=(
  make cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine "$optional" wine64 fonts-wine xvfb xdotool imagemagick x11-utils xclip python3 chromium
  nlohmann-json3-dev openssl python3-cryptography
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

# Whether this host runs 32-bit programs at all: some virtual CPUs have no
# 32-bit mode, and wine32 would not start there. The kernel's settings do not
# tell (abi.vsyscall32 is there on such a host too); a 91-byte i386 program
# that only exits does. It is looked up last on PATH, so that the install
# test can stand in for it.
runs_32bit() {
  local dir rc=0
  dir=$(mktemp -d)
  # An ELF header, one loadable segment and: xor eax,eax; inc eax; xor ebx,ebx; int 0x80.
  local elf='\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0'
  elf+='\064\0\040\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\133\0\0\0\133\0\0\0\5\0\0\0\0\020\0\0'
  elf+='\061\300\100\061\333\315\200'
  # shellcheck disable=SC2059 # the escapes are the program
  printf "$elf" >"$dir/i386-exit"
  chmod 755 "$dir/i386-exit"
  PATH=$PATH:$dir i386-exit 2>/dev/null || rc=$?
  rm -rf "$dir"
  return $rc
}
wine_starts() { installed wine64 && wine --version >/dev/null 2>&1; }

# A Multi-Arch "same" library must have one version on both architectures.
# While the security suite's i386 index is missing, some amd64 candidates are
# newer than any i386 version, and apt finds no way to put wine32 beside
# them. Taking both architectures of those libraries to the version the i386
# index has lets it in. apt may then remove packages that need the newer
# amd64 versions: none of this script's may be among them, and Wine must
# still start afterwards, or the libraries go back to their candidates.
install_wine32_pinned() {
  local same closure libs pins sim new=() back=() removed=() p q
  same=$(dpkg-query -W -f='${Package} ${Architecture} ${Multi-Arch} ${db:Status-Abbrev}\n' |
    awk '$2 == "amd64" && $3 == "same" && $4 == "ii" { print $1 }' | LC_ALL=C sort -u)
  closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "$optional" | sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | LC_ALL=C sort -u)
  mapfile -t libs < <(LC_ALL=C comm -12 <(echo "$same") <(echo "$closure"))
  [ ${#libs[@]} -gt 0 ] || return 1
  mapfile -t pins < <(apt-cache policy "${libs[@]/%/:amd64}" "${libs[@]/%/:i386}" | awk '
    /^[^ ]/ { p = $1; sub(/:$/, "", p); sub(/:amd64$/, "", p) }
    /^  Candidate:/ { c[p] = $2 }
    END { for (p in c) if (p ~ /:i386$/ && c[p] != "(none)") {
      n = substr(p, 1, length(p) - 5)
      if (c[n] != c[p]) print n ":amd64=" c[p] "\n" n ":i386=" c[p] } }' | LC_ALL=C sort)
  [ ${#pins[@]} -gt 0 ] || return 1
  local want=("$optional" wine64 libwine:amd64 "${pins[@]}")
  sim=$(apt-get install -s -qq --no-install-recommends --allow-downgrades "${want[@]}" 2>/dev/null) || return 1
  mapfile -t removed < <(awk '$1 == "Remv" { print $2 }' <<<"$sim")
  mapfile -t new < <(awk '$1 == "Inst" && $3 !~ /^\[/ { print $2 }' <<<"$sim")
  for p in "${removed[@]}"; do
    for q in "${packages[@]}"; do
      if [ "${p%%:*}" = "${q%%:*}" ]; then
        echo "install.sh: with the i386 index's versions apt would remove $p" >&2
        return 1
      fi
    done
  done
  echo "install.sh: installing $optional with ${pins[*]}${removed[*]:+; apt removes ${removed[*]}}"
  for p in "${pins[@]}"; do
    case $p in
      *:i386=*) installed "${p%=*}" || back+=("${p%=*}-") ;;
      *) back+=("${p%=*}") ;;
    esac
  done
  apt_install --allow-downgrades "${want[@]}" && wine_starts && return 0
  apt_install --allow-downgrades --purge "$optional-" "${back[@]}" "${removed[@]}" || true
  # What else came in for wine32 goes as well, libc6:i386 too: left behind, it
  # would hold libc6 to the versions the i386 index has. apt calls it
  # essential, so the purge is first simulated: it may take nothing else.
  if [ ${#new[@]} -gt 0 ]; then
    sim=$(apt-get purge -s -qq --allow-remove-essential "${new[@]}" 2>/dev/null | awk '$1 == "Purg" { print $2 }')
    if ! grep -vqFx -e '' -f <(printf '%s\n' "${new[@]}") <<<"$sim"; then
      apt-get purge -y -qq --allow-remove-essential "${new[@]}" >/dev/null 2>&1 || true
    fi
  fi
  if ! wine_starts; then
    echo "install.sh: Wine does not start since $optional was tried with the i386 index's versions" >&2
    exit 1
  fi
  return 1
}

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

if ! installed "$optional" && ! apt_install "$optional" && ! { runs_32bit && install_wine32_pinned; }; then
  echo "install.sh: $optional cannot be installed now; the 64-bit build stands in for the shipped one in the Wine suites"
  mkdir -p "$(dirname "$stamp")" && touch "$stamp"
fi
install_axe
