#!/usr/bin/env bash
# packaging/windows/deploy.sh ROOT DEST EXE...: copies the programs into DEST with everything they
# load: Qt's plugins the program uses, then every DLL they import (followed recursively with
# objdump) from Qt, the libraries of the toolchain cache ROOT and the MinGW runtime; anything not
# found there is a DLL of Windows itself. OpenSSL is loaded by Qt's TLS plugin at run time, so it
# is named. Everything is stripped.
set -euo pipefail
root=$1
dest=$2
shift 2
triple=x86_64-w64-mingw32
search=("$root/qt6/bin" "$root/deps/bin" /usr/$triple/lib /usr/lib/gcc/$triple/12-posix)

mkdir -p "$dest"
plugins=(platforms/qwindows platforms/qoffscreen styles/qwindowsvistastyle
  tls/qopensslbackend tls/qschannelbackend tls/qcertonlybackend
  imageformats/qgif imageformats/qico imageformats/qjpeg)
todo=()
for exe in "$@"; do
  cp "$exe" "$dest/"
  todo+=("$dest/$(basename "$exe")")
done
for p in "${plugins[@]}"; do
  mkdir -p "$dest/$(dirname "$p")"
  cp "$root/qt6/plugins/$p.dll" "$dest/$p.dll"
  todo+=("$dest/$p.dll")
done
for dll in libssl-3-x64.dll libcrypto-3-x64.dll; do
  cp "$root/deps/bin/$dll" "$dest/"
  todo+=("$dest/$dll")
done

declare -A seen
while [ ${#todo[@]} -gt 0 ]; do
  file=${todo[0]}
  todo=("${todo[@]:1}")
  while read -r dll; do
    key=${dll,,}
    [ -n "${seen[$key]:-}" ] && continue
    seen[$key]=1
    for dir in "${search[@]}"; do
      if [ -f "$dir/$dll" ]; then
        cp "$dir/$dll" "$dest/$dll"
        todo+=("$dest/$dll")
        break
      fi
    done
  done < <($triple-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
find "$dest" -name '*.exe' -o -name '*.dll' | xargs $triple-strip --strip-unneeded
