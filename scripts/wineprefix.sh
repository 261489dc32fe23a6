#!/usr/bin/env bash
# Creates the quiet Wine prefix under the build tree once: no Mono or Gecko
# prompts, Wine's own fonts where dialogs find them, and a virtual desktop
# so that windows get captions and keyboard focus without a window manager.
set -eu
source "$(dirname "$0")/env.sh"
[ -f "$WINEPREFIX/.velbrook-ready" ] && exit 0
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
