#!/usr/bin/env bash
# Checks of the installed programs. Usage: install-checks.sh STEP BUILD SOURCE PREFIX PROGRAMS...
#   install   installs the build into PREFIX, over an older install, and checks every file
#   validate  desktop entries and AppStream data under PREFIX
#   run       each installed program with an empty HOME makes its own settings file
#   package   the Debian package
# Exit 77: a tool this step needs is not installed (the test is skipped).
set -euo pipefail
step=$1 build=$2 source=$3 prefix=$4
shift 4
programs=("$@")
id=org.radioprogrammer
data="$prefix/share/radio-programmer"

fail() { echo "FAIL: $*" >&2; exit 1; }
need() { for t in "$@"; do command -v "$t" >/dev/null || { echo "skipped: $t is not installed"; exit 77; }; done; }
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }

case $step in
install)
  rm -rf "$prefix"
  # An older install: other contents, newer dates than this build.
  mkdir -p "$prefix/bin" "$data"
  echo "older heron" >"$prefix/bin/heron"
  printf '[Frequent]\r\nPL1=300MHz---330MHz\r\n' >"$data/Sfc.ini"
  touch -d '2040-01-01' "$prefix/bin/heron" "$data/Sfc.ini"
  cmake --install "$build" --prefix "$prefix" >/dev/null

  for p in "${programs[@]}"; do
    [ -x "$prefix/bin/$p" ] || fail "bin/$p missing"
    [ "$(head -c4 "$prefix/bin/$p" | od -An -c | tr -d ' ')" = '177ELF' ] || fail "bin/$p is not the program"
    [ -f "$prefix/share/applications/$id.$p.desktop" ] || fail "desktop entry of $p missing"
    grep -qx "Icon=$id.$p" "$prefix/share/applications/$id.$p.desktop" || fail "desktop entry of $p names another icon"
    grep -qx "Exec=$p" "$prefix/share/applications/$id.$p.desktop" || fail "desktop entry of $p starts another program"
    [ -f "$prefix/share/metainfo/$id.$p.metainfo.xml" ] || fail "AppStream data of $p missing"
    for s in 48 64 128 256; do
      icon="$prefix/share/icons/hicolor/${s}x${s}/apps/$id.$p.png"
      [ -f "$icon" ] || fail "$s pixel icon of $p missing"
      [ "$(png_size "$icon")" = "${s}x${s}" ] || fail "$icon is $(png_size "$icon")"
    done
  done
  cmp -s "$data/Sfc.ini" "$source/dist/Sfc.ini" || fail "the default settings file is not the one of this build"
  grep -q '^PL1=400MHz---470MHz' "$data/Sfc.ini" || fail "default bands"
  if [[ " ${programs[*]} " == *" osprey "* ]] && [ -f "$build/apps/osprey/Osprey Help.chm" ]; then
    cmp -s "$data/Osprey Help.chm" "$build/apps/osprey/Osprey Help.chm" || fail "Osprey Help.chm missing"
  fi
  [ -x "$prefix/bin/radio-simulator" ] || fail "bin/radio-simulator missing"
  rules="$prefix/lib/udev/rules.d/60-radio-programmer-cables.rules"
  [ -f "$rules" ] || fail "udev rule missing"
  grep -q 'GROUP="dialout"' "$rules" && grep -q 'ID_MM_DEVICE_IGNORE' "$rules" || fail "udev rule content"
  echo "installed: $(find "$prefix" -type f | wc -l) files"
  ;;

validate)
  need desktop-file-validate appstreamcli
  for p in "${programs[@]}"; do
    entry="$prefix/share/applications/$id.$p.desktop"
    desktop-file-validate "$entry" || fail "$entry"
    grep -q '^Categories=.*Utility;' "$entry" || fail "$entry: not in Utility"
    grep -q '^Keywords=.*serial;' "$entry" && grep -q '^Keywords=.*radio;' "$entry" || fail "$entry: keywords"
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.$p.metainfo.xml" || fail "$p AppStream data"
  done
  # The AppStream data, desktop entries and icons together.
  appstreamcli validate-tree --no-net "$prefix" || fail "installed tree"
  ;;

run)
  for p in "${programs[@]}"; do
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$prefix/bin/$p" \
      >"$home/out.log" 2>&1 &
    pid=$!
    made=""
    for _ in $(seq 100); do
      made=$(find "$home/.config" -iname sfc.ini 2>/dev/null | head -1 || true)
      [ -n "$made" ] && break
      kill -0 $pid 2>/dev/null || break
      sleep 0.1
    done
    alive=yes
    kill -0 $pid 2>/dev/null || alive=no
    kill $pid 2>/dev/null || true
    for _ in $(seq 100); do
      kill -0 $pid 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 $pid 2>/dev/null; then
      kill -9 $pid 2>/dev/null || true
      fail "$p did not end within 10 s of SIGTERM"
    fi
    wait $pid 2>/dev/null || true
    [ $alive = yes ] || { cat "$home/out.log"; fail "$p ended at start"; }
    [ -n "$made" ] || fail "$p made no settings file under $home/.config"
    cmp -s "$made" "$data/Sfc.ini" || fail "$p's settings file is not the installed default"
    echo "$p: ${made#"$home"/}"
    rm -rf "$home"
    trap - EXIT
  done
  ;;

package)
  need cpack dpkg-deb dpkg-shlibdeps
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; fail "cpack"; }
  deb=$(find "$out" -maxdepth 1 -name '*.deb' | head -1)
  [ -n "$deb" ] || fail "no package made"
  depends=$(dpkg-deb -f "$deb" Depends)
  for d in libqt6widgets6 libqt6serialport6 libqt6printsupport6 qt6-qpa-plugins fonts-wqy-zenhei; do
    [[ $depends == *"$d"* ]] || fail "package does not depend on $d: $depends"
  done
  [[ $(dpkg-deb -f "$deb" Recommends) == *xchm* ]] || fail "package does not recommend xchm"
  contents=$(dpkg-deb -c "$deb")
  for f in "${programs[@]/#/./usr/bin/}" ./usr/bin/radio-simulator ./usr/share/radio-programmer/Sfc.ini \
           ./usr/lib/udev/rules.d/60-radio-programmer-cables.rules; do
    grep -qF " $f" <<<"$contents" || fail "package lacks $f"
  done
  if [[ " ${programs[*]} " == *" osprey "* ]] && [ -f "$build/apps/osprey/Osprey Help.chm" ]; then
    grep -qF " ./usr/share/radio-programmer/Osprey Help.chm" <<<"$contents" || fail "package lacks the help file"
  fi
  echo "$(basename "$deb"): Depends: $depends"
  ;;
*) fail "unknown step $step" ;;
esac
