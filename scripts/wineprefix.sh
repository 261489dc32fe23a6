#!/usr/bin/env bash
# Creates the quiet Wine prefix under the build tree once: no Mono or Gecko
# prompts, Wine's own fonts where dialogs find them, and a virtual desktop
# so that windows get captions and keyboard focus without a window manager.
set -eu
source "$(dirname "$0")/env.sh"
[ -f "$WINEPREFIX/.velbrook-ready" ] && exit 0
if [ -n "${VELBROOK_DPI:-}" ]; then
  # A copy of the usual prefix with another DPI (LogPixels), a few seconds.
  VELBROOK_DPI= "$0"
  rm -rf "$WINEPREFIX"
  cp -a "${WINEPREFIX%-dpi$VELBROOK_DPI}" "$WINEPREFIX"
  rm -f "$WINEPREFIX/.velbrook-ready"
  DISPLAY= "$VELBROOK_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VELBROOK_DPI" /f \
    >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.velbrook-ready"
  exit 0
fi
rm -rf "$WINEPREFIX"
mkdir -p "$BUILD_DIR"
echo "wineprefix.sh: creating the Wine prefix in $WINEPREFIX"
# No display needed for this; keep wineboot from opening one.
DISPLAY= "$VELBROOK_WINE" wineboot -i >/dev/null 2>&1 || true
wineserver -w
[ -d "$WINEPREFIX/drive_c/windows" ] || { echo "wineprefix.sh: wineboot failed" >&2; exit 1; }
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
cat > "$WINEPREFIX/velbrook.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
DISPLAY= "$VELBROOK_WINE" regedit /S "$WINEPREFIX/velbrook.reg" >/dev/null 2>&1 || true
wineserver -w
touch "$WINEPREFIX/.velbrook-ready"
