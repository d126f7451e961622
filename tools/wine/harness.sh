# harness.sh: run Windows programs under Wine on a private X server, for
# lvdump's end-to-end tests and benchmarks. Source it from bash, then:
#
#   wh_install                        install Wine, Xvfb and the ja_JP.UTF-8 locale when missing
#   wh_start BUILD_DIR                start Xvfb and a persistent wineserver for the prefix
#                                     BUILD_DIR/wineprefix (created on first use); installs
#                                     an EXIT trap that stops everything started here
#   wh_start_sample EXE [ARGS...]     start the sample, wait for its READY line; its lines
#                                     are then in "$WH_SAMPLE_OUT" (CR removed)
#   wh_handle NAME                    the decimal handle the sample announced for NAME
#   wh_run WORKDIR STDIN EXE [ARGS]   run EXE in WORKDIR with STDIN as standard input;
#                                     leaves WORKDIR/stdout, WORKDIR/stderr, WORKDIR/status
#   wh_start_helper WORKDIR EXE [ARGS...]
#                                     start a second program in WORKDIR beside the sample,
#                                     wait for its READY line; it runs until wh_stop_helper
#   wh_stop_helper                    close the helper's input and wait for it to end; its
#                                     exit status is then in "$WH_HELPER_STATUS"
#   wh_stop                           stop the helper, the sample, the wineserver and Xvfb
#                                     (idempotent)
#
# Every process is stopped through the id it was started with (the sample and
# Xvfb by pid, Wine's own processes through "wineserver -k" for our prefix).
# Functions return non-zero and print "wine harness: ..." on standard error
# when something fails; nothing waits without a time limit.

WH_READY_TIMEOUT=${WH_READY_TIMEOUT:-120}  # seconds for the sample to print READY
WH_RUN_TIMEOUT=${WH_RUN_TIMEOUT:-300}      # seconds for one wh_run
WH_STOP_TIMEOUT=${WH_STOP_TIMEOUT:-20}     # seconds for the sample to end after its input closes

WH_XVFB_PID=
WH_DISPLAY=
WH_PREFIX=
WH_SERVER_STARTED=
WH_SAMPLE_PID=
WH_SAMPLE_FD=
WH_SAMPLE_OUT=
WH_TMP=
WH_PREFIX_NOTE=         # "created in N s" or "reused", after wh_start
WH_SAMPLE_READY_SECONDS=
WH_SAMPLE_STATUS=
WH_LAUNCH_SECONDS=
WH_HELPER_PID=
WH_HELPER_FD=
WH_HELPER_STATUS=

wh_fail() {
  echo "wine harness: $*" >&2
  return 1
}

wh_now() { date +%s.%N; }
wh_elapsed() { awk -v a="$1" -v b="$(wh_now)" 'BEGIN { printf "%.1f", b - a }'; }

wh_have_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; }

wh_install() {
  local packages=() extra=()
  command -v wine >/dev/null || packages+=(wine)
  [ -x /usr/lib/wine/wine64 ] || packages+=(wine64)
  command -v Xvfb >/dev/null || packages+=(xvfb)
  command -v xauth >/dev/null || packages+=(xauth)
  if ! wh_have_locale && { [ ! -e /usr/share/i18n/locales/ja_JP ] || [ ! -e /usr/share/i18n/charmaps/UTF-8.gz ]; }; then
    packages+=(locales)
    extra+=(locales)
  fi
  if [ ${#packages[@]} -gt 0 ]; then
    [ "$(id -u)" = 0 ] || wh_fail "missing ${packages[*]} and not root: install them first" || return
    echo "wine harness: installing ${packages[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update >&2 || wh_fail "apt-get update failed" || return
    # wine is named explicitly with wine64 so that apt never pulls in wine32,
    # which this 64-bit-only machine cannot run.
    apt-get install -y --no-install-recommends wine wine64 xvfb xauth "${extra[@]}" >&2 ||
      wh_fail "apt-get install failed" || return
  fi
  # Wine takes its ANSI code page (932) from the locale: from LANG only when
  # that locale exists on this machine, from LC_ALL even when it does not.
  # wh_wine_env sets both; the locale is generated so that LANG alone works too.
  if ! wh_have_locale; then
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 >&2 || wh_fail "cannot generate the ja_JP.UTF-8 locale" || return
  fi
}

# Runs a command with this harness's Wine environment.
wh_wine_env() {
  env WINEPREFIX="$WH_PREFIX" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 DISPLAY="$WH_DISPLAY" "$@"
}

# Starts Xvfb on the first free display from :90 to :120.
wh_start_xvfb() {
  local n pid i
  for n in $(seq 90 120); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$WH_TMP/xvfb.log" 2>&1 &
    pid=$!
    for i in $(seq 1 100); do
      [ -S "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null && [ -S "/tmp/.X11-unix/X$n" ]; then
      WH_XVFB_PID=$pid
      WH_DISPLAY=":$n"
      return 0
    fi
    # Another server took the display first, or this one failed: try the next.
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  wh_fail "no free X display in :90..:120 (last log: $(tail -n 3 "$WH_TMP/xvfb.log"))"
}

# Creates the prefix once; a prefix whose creation did not finish is made anew.
wh_prepare_prefix() {
  local start
  if [ -e "$WH_PREFIX/.lvdump-prefix-ready" ]; then
    WH_PREFIX_NOTE=reused
    return 0
  fi
  rm -rf "$WH_PREFIX"
  mkdir -p "$WH_PREFIX" || return
  start=$(wh_now)
  wh_wine_env timeout 300 wineboot -i >"$WH_TMP/wineboot.log" 2>&1 ||
    wh_fail "wineboot failed: $(tail -n 5 "$WH_TMP/wineboot.log")" || return
  # The registry is written when this prefix's first wineserver ends.
  wh_wine_env timeout 120 wineserver -w ||
    wh_fail "the wineserver that created the prefix did not end" || return
  touch "$WH_PREFIX/.lvdump-prefix-ready"
  WH_PREFIX_NOTE="created in $(wh_elapsed "$start")s"
}

wh_start() {
  local build=$1
  [ -d "$build" ] || wh_fail "no build folder '$build'" || return
  build=$(cd "$build" && pwd)
  WH_PREFIX=$build/wineprefix
  WH_TMP=$(mktemp -d "${TMPDIR:-/tmp}/wine-harness.XXXXXX") || return
  trap wh_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  wh_install || return
  wh_start_xvfb || return
  wh_prepare_prefix || return
  wh_wine_env wineserver -p || wh_fail "wineserver -p failed" || return
  WH_SERVER_STARTED=1
}

# Starts EXE under Wine in WORKDIR, with a FIFO as its standard input, and
# waits for the READY line it prints once it is set up; it then runs until
# that input closes (wh_end_program). NAME ("sample" or "helper") names its
# files $WH_TMP/NAME.{in,raw,out,err} and the variables WH_<NAME>_PID and
# WH_<NAME>_FD that hold it. Sets WH_LAUNCH_SECONDS.
wh_launch_program() {
  local name=$1 workdir=$2 exe=$3 start pid fd
  local var=WH_${name^^} files=$WH_TMP/$name
  local pidvar=${var}_PID
  shift 3
  [ -f "$exe" ] || wh_fail "no $name program '$exe'" || return
  [ -z "${!pidvar}" ] || wh_fail "a $name is running already" || return
  [ -d "$workdir" ] || wh_fail "no folder '$workdir' for the $name" || return
  exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")  # it runs from WORKDIR
  start=$(wh_now)
  rm -f "$files.in"
  mkfifo "$files.in" || return
  : >"$files.raw"
  (cd "$workdir" && wh_wine_env wine "$exe" "$@") <"$files.in" >"$files.raw" 2>"$files.err" &
  pid=$!
  # Held open read-write so that opening never blocks; closing it is the
  # program's signal to end.
  exec {fd}<>"$files.in"
  printf -v "$pidvar" %s "$pid"
  printf -v "${var}_FD" %s "$fd"
  while :; do
    tr -d '\r' <"$files.raw" >"$files.out"
    grep -qx READY "$files.out" && break
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      wh_fail "the $name ended (status $?) before READY; its output:" \
        "$(cat "$files.out" "$files.err")"
      wh_end_program "$name"
      return 1
    fi
    if [ "$(awk -v a="$start" -v b="$(wh_now)" 'BEGIN { print (b - a > '"$WH_READY_TIMEOUT"') }')" = 1 ]; then
      wh_fail "no READY from the $name within ${WH_READY_TIMEOUT}s; its output so far:" \
        "$(cat "$files.out" "$files.err")"
      return 1
    fi
    sleep 0.1
  done
  WH_LAUNCH_SECONDS=$(wh_elapsed "$start")
}

# Closes the input of a program started by wh_launch_program, waits for it to
# end, and kills it by its pid if it has not ended within WH_STOP_TIMEOUT
# seconds. Its exit status is then in WH_<NAME>_STATUS.
wh_end_program() {
  local name=$1 i pid fd status
  local var=WH_${name^^}
  local pidvar=${var}_PID fdvar=${var}_FD
  pid=${!pidvar}
  fd=${!fdvar}
  [ -n "$pid" ] || return 0
  [ -z "$fd" ] || exec {fd}>&-
  printf -v "$fdvar" %s ""
  for i in $(seq 1 $((WH_STOP_TIMEOUT * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "wine harness: the $name did not end within ${WH_STOP_TIMEOUT}s of its input closing; killing it" >&2
    kill -KILL "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  status=$?
  printf -v "${var}_STATUS" %s "$status"
  printf -v "$pidvar" %s ""
}

wh_start_sample() {
  WH_SAMPLE_OUT=$WH_TMP/sample.out
  wh_launch_program sample . "$@" || return
  WH_SAMPLE_READY_SECONDS=$WH_LAUNCH_SECONDS
}

wh_handle() {
  local handle
  handle=$(awk -v name="$1" '$2 == name && NF == 3 { print $3; exit }' "$WH_SAMPLE_OUT")
  [ -n "$handle" ] || wh_fail "the sample announced no '$1'" || return
  echo "$handle"
}

wh_run() {
  local workdir=$1 input=$2 exe=$3 status
  shift 3
  mkdir -p "$workdir" || return
  (cd "$workdir" &&
    wh_wine_env timeout -k 5 "$WH_RUN_TIMEOUT" wine "$exe" "$@" <"$input" >"$workdir/stdout" 2>"$workdir/stderr")
  status=$?
  echo "$status" >"$workdir/status"
  if [ "$status" = 124 ] || [ "$status" = 137 ]; then
    wh_fail "'$exe' did not end within ${WH_RUN_TIMEOUT}s and was stopped"
  fi
}

wh_stop_sample() { wh_end_program sample; }

# A helper follows the sample's protocol: READY on standard output once it is
# set up, then it runs until its standard input ends.
wh_start_helper() { wh_launch_program helper "$@"; }

wh_stop_helper() { wh_end_program helper; }

wh_stop() {
  wh_stop_helper
  wh_stop_sample
  if [ -n "$WH_SERVER_STARTED" ]; then
    wh_wine_env timeout 30 wineserver -k 2>/dev/null
    wh_wine_env timeout 30 wineserver -w 2>/dev/null
    WH_SERVER_STARTED=
  fi
  if [ -n "$WH_XVFB_PID" ]; then
    kill "$WH_XVFB_PID" 2>/dev/null
    wait "$WH_XVFB_PID" 2>/dev/null
    WH_XVFB_PID=
  fi
  if [ -n "$WH_TMP" ]; then
    rm -rf "$WH_TMP"
    WH_TMP=
  fi
  return 0
}
