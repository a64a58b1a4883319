#!/usr/bin/env bash
# A virtual 1920x1080 X screen and a Wine prefix for running the Windows program and its
# tests, started once and shared by every test of a run.
#
#   wine-env.sh start STATE_DIR [DPI [desktop|monitors]]
#                                       starts Xvfb and a persistent wineserver; writes
#                                       STATE_DIR/env. The prefix's screen has DPI dots
#                                       per inch (96, 100 %, unless given), which Wine
#                                       reports to programs that are DPI aware. With
#                                       "desktop", programs run in a Wine virtual desktop
#                                       of 1920x1080, whose resolution a program can change.
#                                       With "monitors", an X server with two monitors
#                                       (Xorg's dummy driver) instead of Xvfb: 1920x1080,
#                                       the primary, and 1280x720 on its right; the
#                                       outputs are set before Wine starts, as Wine reads
#                                       them once
#   wine-env.sh stop STATE_DIR          stops both and removes STATE_DIR/env
#
# The prefix (STATE_DIR/prefix) is kept between runs: creating one takes 10 to 20 seconds.
set -euo pipefail

action=${1:?start or stop}
state=$(mkdir -p "${2:?state folder}" && cd "$2" && pwd)
dpi=${3:-96}
desktop=${4:-}
envfile=$state/env
case "$dpi" in
  ''|*[!0-9]*) echo "the DPI is a whole number of dots per inch, not '$dpi'" >&2; exit 2 ;;
esac

stop() {
  [ -f "$envfile" ] || return 0
  # shellcheck disable=SC1090
  . "$envfile"
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${PULSE_SERVER:-}" ]; then pulseaudio -k >/dev/null 2>&1 || true; fi
  if [ -n "${ZORVANE_XVFB_PID:-}" ] && kill -0 "$ZORVANE_XVFB_PID" 2>/dev/null; then
    kill "$ZORVANE_XVFB_PID" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$ZORVANE_XVFB_PID" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$envfile"
}

free_display() {
  for n in $(seq 90 250); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then echo "$n"; return; fi
  done
  echo "no free X display number" >&2
  exit 1
}

# Xorg with the dummy video driver: outputs that xrandr can switch on and place, which
# Wine sees as monitors (Xvfb's Xinerama heads it does not).
start_two_monitors() {
  cat >"$state/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3200 1080
    Modes "1920x1080" "1280x720"
  EndSubSection
EndSection
CONF
  setsid Xorg ":$1" -config "$state/xorg.conf" -noreset -nolisten tcp -sharevts \
    -logfile "$state/xorg.log" >"$state/xvfb.log" 2>&1 &
}

# Then a plain query, which has the server probe its outputs again: until then Wine's
# question (the current resources, without a probe) still finds one monitor.
set_two_monitors() {
  DISPLAY=:$1 xrandr --addmode DUMMY1 1280x720 &&
    DISPLAY=:$1 xrandr --output DUMMY0 --mode 1920x1080 --pos 0x0 --primary \
      --output DUMMY1 --mode 1280x720 --pos 1920x0 &&
    DISPLAY=:$1 xrandr >/dev/null
}

start() {
  stop
  local display pid
  display=$(free_display)
  if [ "$desktop" = monitors ]; then
    start_two_monitors "$display"
  else
    setsid Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  fi
  pid=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  if [ ! -e "/tmp/.X11-unix/X$display" ]; then
    echo "The X server did not start; see $state/xvfb.log" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  if [ "$desktop" = monitors ] && ! set_two_monitors "$display" >>"$state/xvfb.log" 2>&1; then
    echo "The second monitor could not be set; see $state/xvfb.log" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  # A sound server whose only output is a sink that records nothing but can be listened
  # to (its monitor), so tests can capture what the program plays.
  local runtime=$state/runtime pulse=""
  if command -v pulseaudio >/dev/null 2>&1; then
    mkdir -p "$runtime" && chmod 700 "$runtime"
    if XDG_RUNTIME_DIR=$runtime pulseaudio -n --daemonize=yes --exit-idle-time=-1 \
        -L "module-null-sink sink_name=capture" -L module-native-protocol-unix \
        --log-target=file:"$state/pulseaudio.log" >/dev/null 2>&1; then
      pulse="export XDG_RUNTIME_DIR=$runtime
export PULSE_SERVER=unix:$runtime/pulse/native"
    fi
  fi
  cat >"$envfile" <<ENV
export DISPLAY=:$display
export ZORVANE_XVFB_PID=$pid
export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
$pulse
ENV
  # shellcheck disable=SC1090
  . "$envfile"
  if [ ! -f "$WINEPREFIX/.zorvane-ready" ]; then
    echo "Creating the Wine prefix $WINEPREFIX ..." >&2
    wineboot -i >"$state/wineboot.log" 2>&1
    # There is no window manager on the virtual screen: Wine places and activates every
    # window itself, instead of waiting up to two seconds for a manager that never answers.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state/wineboot.log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zorvane-ready"
  fi
  if [ "$(cat "$WINEPREFIX/.zorvane-dpi" 2>/dev/null)" != "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >>"$state/wineboot.log" 2>&1
    wineserver -w
    echo "$dpi" >"$WINEPREFIX/.zorvane-dpi"
  fi
  # A virtual desktop: plain Xvfb has one mode, the desktop any of Wine's list.
  if [ "$desktop" = desktop ] && [ ! -f "$WINEPREFIX/.zorvane-desktop" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Zorvane /f \
      >>"$state/wineboot.log" 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Zorvane /d 1920x1080 /f \
      >>"$state/wineboot.log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zorvane-desktop"
  fi
  # One wineserver for the whole run, instead of one per test.
  wineserver -p >/dev/null 2>&1
  wineboot >/dev/null 2>&1 || true
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start STATE_DIR [DPI] | stop STATE_DIR" >&2; exit 2 ;;
esac
