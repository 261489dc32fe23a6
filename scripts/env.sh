# Sourced by the build and test scripts: where things are and which Wine
# runs the Windows programs here.
#
# The shipped program is 32-bit. Where this machine can execute 32-bit code,
# it runs under the 32-bit Wine; where it cannot (some virtual machines have
# no 32-bit mode), the same sources are also built for 64-bit Windows and the
# tests run that build under the 64-bit Wine.
VELBROOK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=$VELBROOK_ROOT/build
SHIP_DIR=$BUILD_DIR/win32
# VELBROOK_WINE_ARCH=win64 tries the stand-in on a machine that has both.
if [ "${VELBROOK_WINE_ARCH:-}" != win64 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  WINE_ARCH=win32
  WINE_BIN=/usr/lib/wine/wine
  RUN_DIR=$BUILD_DIR/win32
  WINE_WHY="this machine runs 32-bit code, so the shipped build is the tested one"
else
  WINE_ARCH=win64
  WINE_BIN=/usr/lib/wine/wine64
  RUN_DIR=$BUILD_DIR/win64
  if [ "${VELBROOK_WINE_ARCH:-}" = win64 ]; then
    WINE_WHY="VELBROOK_WINE_ARCH=win64 asked for it"
  elif [ -e /usr/lib/wine/wine ]; then
    WINE_WHY="this machine cannot run 32-bit code (the 32-bit Wine does not start)"
  else
    WINE_WHY="the 32-bit Wine is not installed (scripts/install.sh could not get it)"
  fi
  WINE_WHY+=", so the same sources built for 64-bit Windows stand in; the 32-bit files and tests are still built"
fi
# VELBROOK_DPI=144 (say) runs in a prefix of its own whose screen has that
# DPI (scripts/wineprefix.sh makes it), leaving the others at 96.
export WINEPREFIX=$BUILD_DIR/wineprefix-$WINE_ARCH${VELBROOK_DPI:+-dpi$VELBROOK_DPI}
export WINEARCH=$WINE_ARCH WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
export VELBROOK_WINE=$WINE_BIN
