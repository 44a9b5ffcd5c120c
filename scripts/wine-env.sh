# Sourced by the test scripts: a project-local Wine prefix, made once and reused, set up
# so that Chinese text shows and closed dialogs do not stall without a window manager.
#   source scripts/wine-env.sh && wine_prepare && wine some.exe
top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$top/.wine/prefix"
export PATH="/usr/lib/wine:$PATH"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LUMIVEL_LOCPATH="$top/.wine/locale"

wine_prepare() {
  if [ ! -f "$WINEPREFIX/.lumivel-ready" ]; then
    echo "wine: creating the prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
    wine64 wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local reg="$WINEPREFIX/lumivel.reg"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"SimSun"="WenQuanYi Micro Hei"\r\n"Tahoma"="WenQuanYi Micro Hei"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="N"\r\n' > "$reg"
    wine64 regedit /S "$reg" >/dev/null 2>&1 || wine64 reg import "$reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.lumivel-ready"
  fi
  # A generated zh_CN.UTF-8 locale lets Wine name X windows so that xdotool can match Chinese titles.
  if [ ! -d "$LUMIVEL_LOCPATH/zh_CN.UTF-8" ]; then
    mkdir -p "$LUMIVEL_LOCPATH"
    localedef -i zh_CN -f UTF-8 "$LUMIVEL_LOCPATH/zh_CN.UTF-8" >/dev/null 2>&1 || true
  fi
}

# Runs a Windows program with code page 936, as on the users' systems.
wine_zh() { LOCPATH="$LUMIVEL_LOCPATH" LC_ALL=zh_CN.UTF-8 wine64 "$@"; }

wine_stop() { wineserver -k >/dev/null 2>&1 || true; }
