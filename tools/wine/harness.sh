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

wh_start_sample() {
  local exe=$1 start
  shift
  [ -f "$exe" ] || wh_fail "no sample program '$exe'" || return
  [ -z "$WH_SAMPLE_PID" ] || wh_fail "a sample is running already" || return
  start=$(wh_now)
  rm -f "$WH_TMP/sample.in"
  mkfifo "$WH_TMP/sample.in" || return
  WH_SAMPLE_OUT=$WH_TMP/sample.out
  : >"$WH_TMP/sample.raw"
  wh_wine_env wine "$exe" "$@" <"$WH_TMP/sample.in" >"$WH_TMP/sample.raw" 2>"$WH_TMP/sample.err" &
  WH_SAMPLE_PID=$!
  # Held open read-write so that opening never blocks; closing it is the
  # sample's signal to end.
  exec {WH_SAMPLE_FD}<>"$WH_TMP/sample.in"
  while :; do
    tr -d '\r' <"$WH_TMP/sample.raw" >"$WH_SAMPLE_OUT"
    grep -qx READY "$WH_SAMPLE_OUT" && break
    if ! kill -0 "$WH_SAMPLE_PID" 2>/dev/null; then
      wait "$WH_SAMPLE_PID"
      wh_fail "the sample ended (status $?) before READY; its output:" \
        "$(cat "$WH_SAMPLE_OUT" "$WH_TMP/sample.err")"
      WH_SAMPLE_PID=
      exec {WH_SAMPLE_FD}>&-
      WH_SAMPLE_FD=
      return 1
    fi
    if [ "$(awk -v a="$start" -v b="$(wh_now)" 'BEGIN { print (b - a > '"$WH_READY_TIMEOUT"') }')" = 1 ]; then
      wh_fail "no READY from the sample within ${WH_READY_TIMEOUT}s; its output so far:" \
        "$(cat "$WH_SAMPLE_OUT" "$WH_TMP/sample.err")"
      return 1
    fi
    sleep 0.1
  done
  WH_SAMPLE_READY_SECONDS=$(wh_elapsed "$start")
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

wh_stop_sample() {
  local i
  [ -n "$WH_SAMPLE_PID" ] || return 0
  if [ -n "$WH_SAMPLE_FD" ]; then
    exec {WH_SAMPLE_FD}>&-
    WH_SAMPLE_FD=
  fi
  for i in $(seq 1 $((WH_STOP_TIMEOUT * 10))); do
    kill -0 "$WH_SAMPLE_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$WH_SAMPLE_PID" 2>/dev/null; then
    echo "wine harness: the sample did not end within ${WH_STOP_TIMEOUT}s of its input closing; killing it" >&2
    kill -KILL "$WH_SAMPLE_PID" 2>/dev/null
  fi
  wait "$WH_SAMPLE_PID" 2>/dev/null
  WH_SAMPLE_STATUS=$?
  WH_SAMPLE_PID=
}

# A helper follows the sample's protocol: READY on standard output once it is
# set up, then it runs until its standard input ends.
wh_start_helper() {
  local workdir=$1 exe=$2 start
  shift 2
  [ -f "$exe" ] || wh_fail "no helper program '$exe'" || return
  [ -z "$WH_HELPER_PID" ] || wh_fail "a helper is running already" || return
  [ -d "$workdir" ] || wh_fail "no folder '$workdir' for the helper" || return
  exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")  # it runs from WORKDIR
  start=$(wh_now)
  rm -f "$WH_TMP/helper.in"
  mkfifo "$WH_TMP/helper.in" || return
  : >"$WH_TMP/helper.out"
  (cd "$workdir" && wh_wine_env wine "$exe" "$@") \
    <"$WH_TMP/helper.in" >"$WH_TMP/helper.out" 2>"$WH_TMP/helper.err" &
  WH_HELPER_PID=$!
  exec {WH_HELPER_FD}<>"$WH_TMP/helper.in"
  until tr -d '\r' <"$WH_TMP/helper.out" | grep -qx READY; do
    if ! kill -0 "$WH_HELPER_PID" 2>/dev/null; then
      wait "$WH_HELPER_PID"
      wh_fail "the helper '$exe' ended (status $?) before READY; its output:" \
        "$(cat "$WH_TMP/helper.out" "$WH_TMP/helper.err")"
      WH_HELPER_PID=
      exec {WH_HELPER_FD}>&-
      WH_HELPER_FD=
      return 1
    fi
    if [ "$(awk -v a="$start" -v b="$(wh_now)" 'BEGIN { print (b - a > '"$WH_READY_TIMEOUT"') }')" = 1 ]; then
      wh_fail "no READY from the helper '$exe' within ${WH_READY_TIMEOUT}s"
      return 1
    fi
    sleep 0.1
  done
}

wh_stop_helper() {
  local i
  [ -n "$WH_HELPER_PID" ] || return 0
  if [ -n "$WH_HELPER_FD" ]; then
    exec {WH_HELPER_FD}>&-
    WH_HELPER_FD=
  fi
  for i in $(seq 1 $((WH_STOP_TIMEOUT * 10))); do
    kill -0 "$WH_HELPER_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$WH_HELPER_PID" 2>/dev/null; then
    echo "wine harness: the helper did not end within ${WH_STOP_TIMEOUT}s of its input closing; killing it" >&2
    kill -KILL "$WH_HELPER_PID" 2>/dev/null
  fi
  wait "$WH_HELPER_PID" 2>/dev/null
  WH_HELPER_STATUS=$?
  WH_HELPER_PID=
}

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
