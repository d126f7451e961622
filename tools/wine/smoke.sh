#!/usr/bin/env bash
# smoke.sh: check the Wine harness on its own: start Xvfb, the prefix of a
# build folder and the sample, show what the sample announced, stop it all.
# Usage: tools/wine/smoke.sh BUILD_DIR [SAMPLE_ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/harness.sh"

[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [SAMPLE_ARGS...]" >&2; exit 2; }
build=$1
shift
start=$(wh_now)
wh_start "$build" || exit 1
echo "display $WH_DISPLAY, prefix $WH_PREFIX ($WH_PREFIX_NOTE)"
wh_start_sample "$build/samples/lvsample.exe" "$@" || exit 1
echo "sample READY after ${WH_SAMPLE_READY_SECONDS}s; it announced $(($(wc -l <"$WH_SAMPLE_OUT") - 1)) windows, lists and buttons:"
head -n 20 "$WH_SAMPLE_OUT" | iconv -f CP932 -t UTF-8
wh_stop_sample
echo "sample ended with status $WH_SAMPLE_STATUS after its input closed"
wh_stop
echo "stopped everything; total $(wh_elapsed "$start")s"
[ "$WH_SAMPLE_STATUS" = 0 ]
