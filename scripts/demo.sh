#!/usr/bin/env bash
# The demo: packs examples/demo/ with the stand-in projector and our engine
# behind the runner (build/demo.exe) and shows it under Wine, the way a viewer
# starts it, in a Wine prefix of its own (build/demo-prefix), on the Wine 10
# that scripts/with-wine.sh provides.
#
#   demo.sh [--headless] [--setup] [--dpi N] [--release] [--signed]
#
# On the current X display when DISPLAY is set and works, otherwise (and
# with --headless) in a private Xvfb. It takes two screenshots a moment apart
# (build/demo.png is the first) and checks by their pixels that the slide
# shows inside the runner's frame. It ends the presentation with a key
# press, as a viewer would, checks that the runner ended and removed its
# working directory, then restarts the prefix the way Windows restarts (files
# locked at the end are deleted then) and checks that nothing is left. Exits
# 0 only when all of that held. Wine's trace of the runner's MCI commands
# (build/demo-mci.log) tells whether MCI opened the music and that the runner
# closed it.
#
# With --dpi N the prefix runs at N DPI (144 is 150 %; the default is 96) and
# the check expects the slide scaled as a whole: its stage at N/96 of its
# size.
#
# With --release the presentation is built on the release runner and engine
# of scripts/release.sh (run it first), the build this machine can run.
#
# With --signed the packed presentation is signed, as an author signs it
# (docs/authoring.md), with osslsigncode and a throw-away certificate; the
# signature must verify and vnxpack verify must pass before it runs.
#
# With --setup it starts the demo as a screen saver's settings ("/c")
# instead: the Setup dialog alone, a screenshot of it (build/setup.png), the
# dialog closed with its close box, and the viewer's choices it stored.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

prefix=$top/build/demo-prefix
stage=$top/build/demo-stage
show=$top/build/demo.exe
shot=$top/build/demo.png
mci_trace=$top/build/demo-mci.log  # Wine's trace of the runner's MCI commands (WINEDEBUG=+mci)
title="Demo presentation"   # "Pellam Screen Name" in examples/demo/demo.ini
slide_value() { sed -n "s/^$1=//p" examples/demo/slide.txt | tr -d '\r'; }
stage_colour=$(slide_value colour)
stage_size=$(slide_value stage)
show_seconds=${VNX_DEMO_SECONDS:-10}  # on a real display: time the viewer gets

say() { echo "== $*"; }
fail() { echo "demo: FAILED: $*" >&2; exit 1; }

# ---------------------------------------------------------------------------
# The part that runs inside Wine (scripts/with-wine.sh calls this script
# again with --inside-wine; WINEPREFIX, DISPLAY and a wineserver are ready).

reg_exe='C:\windows\system32\reg.exe'
session_manager='HKLM\System\CurrentControlSet\Control\Session Manager'

pending_deletions() {
  wine "$reg_exe" query "$session_manager" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' |
    sed -n 's/.*REG_MULTI_SZ *//p'
}

temp_entries() { (cd "$temp" && find . -mindepth 1 | sort); }

runner_window() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1 || true; }

# The music as the runner's MCI commands show it: "<device> <result>" of the
# open of music.mid (result 0: opened), nothing before the runner asked.
music_open() {
  grep -a -A12 -i 'MCI_Open lpstrElementName=.*\\\\Vnx_Rt\\\\music\.mid' "$mci_trace" 2>/dev/null | grep -a -m1 'MCI_Open wDevID=' |
    sed -n 's/.*wDeviceID=\([0-9]*\) dwRet=\([0-9]*\).*/\1 \2/p' || true
}
mci_commands() {  # command device: how often the runner sent it
  grep -a -c "mciSendCommandA ($(printf %08x "$2"), $1," "$mci_trace" || true
}

report_music_playing() {
  local open="" deadline=$((SECONDS + 15))
  while [ -z "$open" ] && [ $SECONDS -lt $deadline ]; do
    open=$(music_open)
    [ -n "$open" ] || sleep 0.3
  done
  [ -n "$open" ] || fail "the runner never asked MCI to open music.mid (trace: build/demo-mci.log)"
  set -- $open
  [ "$2" -eq 0 ] || fail "MCI did not open music.mid: MCI error $2 (trace: build/demo-mci.log)"
  music_device=$1
  say "the music: MCI opened music.mid from the working directory (device $1) and was asked to play it" \
    "$(mci_commands MCI_PLAY "$1") time(s); Wine has no sound card here, so nothing is heard"
}

report_music_ended() {
  [ "$(mci_commands MCI_CLOSE "$music_device")" -ge 1 ] || fail "the runner never closed the music's MCI device"
  [ ! -e "$temp/Vnx_Rt/music.mid" ] || fail "music.mid is still in the working directory"
  say "the music: the cleanup stopped it ($(mci_commands MCI_STOP "$music_device") stop), closed its MCI device" \
    "and deleted music.mid: the file is gone"
}

wait_for_end() {  # pid seconds
  local deadline=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

inside_wine() {
  local mode=$1
  "$top/scripts/wine-prefix-dpi.sh" "$dpi"
  temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')")
  temp=${temp%/}
  [ -d "$temp" ] || fail "no temporary directory in the prefix ($temp)"
  # Working directories of an earlier demo that was cut short.
  for stale in "$temp"/Vnx_Rt*; do
    [ -e "$stale" ] || continue
    say "removing $(basename "$stale") left by an earlier, interrupted demo"
    rm -rf "$stale"
  done
  local before
  before=$(temp_entries)

  say "starting build/demo.exe under Wine ($mode)"
  WINEDEBUG=-all,+mci wine "$show" 2>"$mci_trace" &
  local runner=$! started=$SECONDS window=""
  while [ -z "$window" ]; do
    kill -0 "$runner" 2>/dev/null || fail "the runner ended before its window appeared"
    [ $((SECONDS - started)) -lt 60 ] || { kill "$runner"; fail "no window \"$title\" within 60 s"; }
    sleep 0.3
    window=$(runner_window)
  done
  sleep 2  # the projector's window is taken over and shown; let the slide run
  local geometry
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print w "x" h "+" x "+" y}')
  say "the runner's frame \"$title\" is up: ${geometry} on a $(xdpyinfo | awk '/dimensions:/{print $2}') screen"
  [ -d "$temp/Vnx_Rt" ] || fail "no working directory $temp/Vnx_Rt while the presentation runs"
  say "its working directory holds: $(ls "$temp/Vnx_Rt" | tr '\n' ' ')"
  report_music_playing

  # Two shots 1.5 s apart: the slide's light glides between them.
  local later=$stage/later.png frame=$geometry
  if [ "$mode" = display ]; then
    import -window "$window" "$shot"
    sleep 1.5
    import -window "$window" "$later"
    frame=${geometry%%+*}+0+0
    say "screenshots of the runner's window: build/demo.png, and 1.5 s later"
  else
    import -window root "$shot"
    sleep 1.5
    import -window root "$later"
    say "screenshots of the screen: build/demo.png, and 1.5 s later"
  fi
  local scaled_stage
  scaled_stage=$(awk -F x -v dpi="$dpi" '{ printf "%dx%d", $1 * dpi / 96 + 0.5, $2 * dpi / 96 + 0.5 }' <<<"$stage_size")
  say "at $dpi DPI the slide's stage of $stage_size takes $scaled_stage pixels of the screen"
  "$top/scripts/check-slide-pixels.sh" "$shot" "$later" "$stage_colour" "$scaled_stage" "$frame" ||
    fail "the screenshots do not show the slide inside the runner's frame (build/demo.png)"
  say "the screenshot shows the slide inside the runner's frame"
  if [ "$mode" = display ]; then
    say "the presentation runs for ${show_seconds} s; press any key in it to end it yourself"
    wait_for_end "$runner" "$show_seconds" || true
  fi

  if kill -0 "$runner" 2>/dev/null; then
    say "ending it as a viewer would: a key press (the presentation has KeyInteraction=0)"
    xdotool windowfocus "$window" 2>/dev/null || true
    sleep 0.3
    xdotool key space
  fi
  wait_for_end "$runner" 30 || { kill "$runner"; fail "the runner did not end within 30 s of the key press"; }
  local code=0
  wait "$runner" || code=$?
  [ "$code" -eq 0 ] || fail "the runner ended with exit code $code"
  say "the runner ended (exit code 0)"
  report_music_ended

  if [ -e "$temp/Vnx_Rt" ]; then
    local left pending
    left=$(cd "$temp/Vnx_Rt" && find . -mindepth 1 | sed 's|^\./||' | tr '\n' ' ')
    pending=$(pending_deletions | tr '[:upper:]' '[:lower:]')
    [ "$left" = "vnxengine0.dll " ] || fail "the working directory still holds: $left"
    [[ "$pending" == *'\users\'*'\temp\vnx_rt\vnxengine0.dll'* ]] ||
      fail "vnxengine0.dll is left and not scheduled for deletion"
    [[ "$pending" == *'\temp\vnx_rt\0'* ]] || fail "Vnx_Rt is left and not scheduled for deletion"
    say "the working directory is empty but for the engine library, which Wine's desktop process keeps" \
      "loaded until the Wine session ends; the runner scheduled it and the directory for deletion at restart"
    say "restarting the prefix as Windows restarts: wineserver -k, then wineboot -r"
    wineserver -k
    wineserver -w
    wine wineboot -r >/dev/null 2>&1
    [ ! -e "$temp/Vnx_Rt" ] || fail "the restart did not remove the working directory"
  else
    say "the working directory is gone"
  fi
  local after
  after=$(temp_entries)
  [ "$before" = "$after" ] ||
    fail "the temporary directory differs from before the demo: $(diff <(echo "$before") <(echo "$after") | tr '\n' ' ')"
  say "nothing is left: the temporary directory holds what it held before the demo"
}

# The Setup dialog alone: shown, photographed, closed with its close box; the
# five choices it stores are those the demo leaves as they are.
setup_title="$title - Setup"
setup_shot=$top/build/setup.png
demo_key='HKCU\Software\Orrindale\demo'
expected_choices="AnyKeyExit=1 DisplayRightClickMenu=0 MidiMute=0 MouseExit=0 Mute=0"

stored_choices() {
  wine "$reg_exe" query "$demo_key" 2>/dev/null | tr -d '\r' | awk '$2 == "REG_SZ" { print $1 "=" $3 }' | LC_ALL=C sort |
    tr '\n' ' ' | sed 's/ $//'
}

inside_wine_setup() {
  "$top/scripts/wine-prefix-dpi.sh" "$dpi"
  wine "$reg_exe" delete "$demo_key" /f >/dev/null 2>&1 || true
  say "starting build/demo.exe /c under Wine: the Setup dialog of a screen saver"
  wine "$show" /c &
  local runner=$! started=$SECONDS window=""
  while [ -z "$window" ]; do
    kill -0 "$runner" 2>/dev/null || fail "the runner ended before its Setup dialog appeared"
    [ $((SECONDS - started)) -lt 60 ] || { kill "$runner"; fail "no window \"$setup_title\" within 60 s"; }
    sleep 0.3
    window=$(xdotool search --onlyvisible --name "^$setup_title\$" 2>/dev/null | head -1 || true)
  done
  sleep 1
  import -window "$window" "$setup_shot"
  say "screenshot of the Setup dialog: build/setup.png"
  local x y w
  read -r x y w < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} END{print x, y, w}')
  say "closing it with its close box"
  xdotool mousemove $((x + w - 13)) $((y + 12)) click 1
  wait_for_end "$runner" 30 || { kill "$runner"; fail "the runner did not end within 30 s of the close box"; }
  local code=0 choices
  wait "$runner" || code=$?
  [ "$code" -eq 0 ] || fail "the runner ended with exit code $code"
  choices=$(stored_choices)
  say "the runner ended (exit code 0) and stored the viewer's choices: $choices"
  [ "$choices" = "$expected_choices" ] || fail "expected the stored choices $expected_choices"
}

dpi=${VNX_DEMO_DPI:-96}
if [ "${1:-}" = --inside-wine ]; then
  inside_wine "$2"
  exit 0
fi
if [ "${1:-}" = --inside-wine-setup ]; then
  inside_wine_setup
  exit 0
fi

# ---------------------------------------------------------------------------
# Preparation, outside Wine.

headless=0
setup=0
signed=0
programs=build/win
while [ $# -gt 0 ]; do
  case $1 in
    --headless) headless=1 ;;
    --setup) setup=1 ;;
    --dpi)
      [[ ${2:-} =~ ^[0-9]+$ ]] && [ "$2" -ge 48 ] && [ "$2" -le 480 ] || fail "--dpi needs a DPI from 48 to 480"
      export VNX_DEMO_DPI=$2
      shift ;;
    --release) programs=build/release; [ "$(scripts/windows-arch.sh)" = i686 ] || programs=build/release-x86_64 ;;
    --signed) signed=1 ;;
    -h|--help) sed -n '2,33p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "demo: unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
  shift
done

scripts/install-deps.sh
mkdir -p build
say "building (log: build/demo-build.log)"
scripts/build.sh >build/demo-build.log 2>&1 || { tail -40 build/demo-build.log; fail "the build failed"; }

say "packing examples/demo/ with the stand-in projector and the engine of $programs into build/demo.exe"
rm -rf "$stage"
mkdir -p "$stage"
cp examples/demo/demo.ini examples/demo/slide.txt examples/demo/music.mid "$stage/"
cp build/win/bin/projector6.exe "$stage/player.exe"
[ -f "$programs/bin/runner.exe" ] || fail "no $programs/bin/runner.exe: run scripts/release.sh first"
cp "$programs/bin/vnxengine.dll" "$stage/"
# Branded as an author brands it: the demo's icon and version text.
build/native/bin/vnxpack build -o "$show" --stub "$programs/bin/runner.exe" --icon examples/demo/demo.ico \
  --title "$title" --company "Demo author" --file-version "$(cat VERSION).0" --copyright "Demo author" "$stage"
build/native/bin/vnxpack verify "$show" >/dev/null
if [ $signed -eq 1 ]; then
  say "signing build/demo.exe with a throw-away certificate (osslsigncode), the author's last step"
  keys=$(mktemp -d)
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/key.pem" -out "$keys/cert.pem" -days 2 \
    -subj "/CN=Demo author" >/dev/null 2>&1 || fail "openssl could not make a certificate"
  osslsigncode sign -certs "$keys/cert.pem" -key "$keys/key.pem" -n "$title" -in "$show" -out "$show.signed" \
    >/dev/null || fail "osslsigncode could not sign build/demo.exe"
  mv "$show.signed" "$show"
  osslsigncode verify -CAfile "$keys/cert.pem" -in "$show" 2>&1 | grep -q "Signature verification: ok" ||
    fail "the signature of build/demo.exe does not verify"
  rm -rf "$keys"
  build/native/bin/vnxpack verify "$show" >/dev/null || fail "vnxpack verify fails on the signed build/demo.exe"
  say "the signature verifies, and so does the presentation behind it (vnxpack verify)"
fi
rm -f "$shot" "$mci_trace" "$top/build/setup.png"

if [ $headless -eq 0 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  mode=display
  export VNX_USE_DISPLAY=1
else
  mode=xvfb
  unset VNX_USE_DISPLAY
fi
if [ $setup -eq 1 ]; then
  scripts/with-wine.sh "$prefix" "$0" --inside-wine-setup
else
  scripts/with-wine.sh "$prefix" "$0" --inside-wine "$mode"
fi
say "demo passed"
