# Sourced by scripts/windows-test and scripts/screenshots: the Wine environment of the Windows build.
#   . packaging/windows/wine-env.sh ROOT BUILD
# ROOT is the toolchain cache, BUILD the Windows build folder; the Wine prefix is BUILD/wineprefix
# unless RINMED_WINE_PREFIX says otherwise, made on first use.
rinmed_root=$1
rinmed_build=$2
export WINEPREFIX=${RINMED_WINE_PREFIX:-$rinmed_build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko prompts; no desktop entries written into the host's menus for the installer's shortcuts.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The DLLs of Qt, the libraries and the MinGW runtime, for the programs run from the build folder.
rinmed_winpath() { echo "Z:$1" | tr / '\\'; }
WINEPATH="$(rinmed_winpath "$rinmed_root/qt6/bin");$(rinmed_winpath "$rinmed_root/deps/bin")"
WINEPATH="$WINEPATH;$(rinmed_winpath /usr/x86_64-w64-mingw32/lib);$(rinmed_winpath /usr/lib/gcc/x86_64-w64-mingw32/12-posix)"
export WINEPATH

if [ ! -e "$WINEPREFIX/.rinmed-ready" ]; then
  echo "wine: making the prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  rinmed_reg=$(mktemp --suffix=.reg)
  { printf '\xff\xfe'; sed 's/$/\r/' "$(dirname "${BASH_SOURCE[0]}")/wine-setup.reg.txt" | iconv -f UTF-8 -t UTF-16LE; } >"$rinmed_reg"
  wine regedit /S "$(winepath -w "$rinmed_reg")" >/dev/null 2>&1
  wineserver -w
  rm -f "$rinmed_reg"
  touch "$WINEPREFIX/.rinmed-ready"
fi
