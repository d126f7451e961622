#!/usr/bin/env bash
# run.sh: lvdump's end-to-end test. Runs BUILD_DIR/lvdump.exe under Wine beside
# the sample program (samples/) and compares its standard output, standard
# error, exit status and Handle_List.txt byte for byte with the expectations in
# tests/e2e/cases/.
#
# Usage: tests/e2e/run.sh SOURCE_DIR BUILD_DIR
# Exit status: 0 all cases match, 1 a mismatch or a harness failure,
# 77 skipped (a 32-bit build, which this machine's Wine cannot run).
#
# Each case folder holds stdin.txt, stdout.txt, stderr.txt, Handle_List.txt and
# status, and may hold a file "hold" naming a file of the working folder: then
# samples/holdfile holds that file, as the case before left it, open for
# reading with writers denied while the program runs, and the file's bytes
# must come out unchanged. The .txt files and status are UTF-8 with LF line
# ends; the script turns them into the CP932 bytes with CR LF line ends that
# the program reads and writes, after expanding these placeholders:
#   {H:name} {H10:name} {H12:name}  the handle the sample announced for name:
#                                   plain, zero-filled to 10 or to 12 digits
#   {NOTICE}                        the notice in the menu's first line
#   {LONG:k:n}                      the sample's long cell k cut to n bytes
#   a whole line {MENU}             expected/menu.txt
#   a whole line {INVENTORY_CONSOLE} or {INVENTORY_REPORT}
#                                   expected/inventory.txt in console or report
#                                   form ({LEAD} is the entry's leading blanks)
#   a whole line {MANYROWS:n}       the first n rows of the sample's list "many"
# A line may end in "¶", which is dropped; it keeps trailing blanks visible.
#
# Cases run in order in one working folder, so each case's Handle_List.txt also
# shows that a new run recreates the report.
set -u

# The notice that follows the rule in the first menu line.
NOTICE='lvdump 1.0.0（MITライセンス）'
CASES=(session eof held)

[ $# -eq 2 ] || { echo "usage: $0 SOURCE_DIR BUILD_DIR" >&2; exit 2; }
src=$(cd "$1" && pwd) || exit 1
build=$(cd "$2" && pwd) || exit 1
here=$src/tests/e2e
tool=$build/lvdump.exe
sample=$build/samples/lvsample.exe
holder=$build/samples/holdfile.exe
work=$build/e2e

fail() {
  echo "e2e: $*" >&2
  exit 1
}

# The machine field of a PE file's header: 8664 for x86-64, 014c for i386.
pe_machine() {
  local offset
  offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ') || return
  od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' '
}

[ -f "$tool" ] || fail "no $tool: build it first (cmake --build --preset win64)"
[ -f "$sample" ] || fail "no $sample: build it first"
[ -f "$holder" ] || fail "no $holder: build it first"
case $(pe_machine "$tool") in
  8664) ;;
  014c)
    echo "e2e: SKIPPED: $tool is a 32-bit program and this machine's Wine runs only 64-bit ones (no wine32); the 32-bit half is not tested here"
    exit 77
    ;;
  *) fail "$tool is not a Windows x86-64 or i386 program" ;;
esac

. "$src/tools/wine/harness.sh"
export LC_ALL=C  # this script's own text tools work on bytes

# One end-to-end run at a time per build folder: they share the Wine prefix.
exec {lock}>"$build/.e2e.lock"
flock -w 900 "$lock" || fail "another end-to-end run holds $build/.e2e.lock"

started=$(wh_now)
wh_start "$build" || exit 1
wh_start_sample "$sample" || exit 1
echo "e2e: Wine prefix $WH_PREFIX_NOTE, sample ready in ${WH_SAMPLE_READY_SECONDS}s"

# name -> decimal handle, and the 10-digit forms of the sample's lists.
handles=$WH_TMP/handles
awk 'NF == 3 { print $2, $3 }' "$WH_SAMPLE_OUT" >"$handles"
twice=$(cut -d ' ' -f 1 "$handles" | sort | uniq -d)
[ -z "$twice" ] || fail "the sample announced these names more than once: $twice"
sample_lists=$(awk 'NF == 3 && $1 == "list" { printf "%010.0f ", $3 }' "$WH_SAMPLE_OUT")

# Expands the placeholders of a UTF-8 template (see the top of this file) and
# prints UTF-8 with LF line ends.
expand_template() {
  awk -v handles="$handles" -v notice="$NOTICE" -v fragments="$here/expected" '
    function die(message) { print "e2e: " FILENAME ": " message > "/dev/stderr"; failed = 1; exit 1 }
    function token(t,   parts, n, text, i) {
      n = split(t, parts, ":")
      if (t == "NOTICE") return notice
      if (t == "LEAD") return lead
      if (n == 2 && (parts[1] == "H" || parts[1] == "H10" || parts[1] == "H12")) {
        if (!(parts[2] in handle)) die("the sample announced no \"" parts[2] "\"")
        if (parts[1] == "H") return handle[parts[2]]
        return sprintf(parts[1] == "H10" ? "%010.0f" : "%012.0f", handle[parts[2]])
      }
      if (n == 3 && parts[1] == "LONG") {
        # "長文セル", a full-width digit and "：" are 12 bytes in CP932.
        text = "長文セル" fullwidth[parts[2]] "："
        for (i = 0; i < parts[3] - 12; i++) text = text (i % 10)
        return text
      }
      die("unknown placeholder {" t "}")
    }
    function emit(line,   out) {
      out = ""
      while (match(line, /[{][A-Z0-9]+(:[^}]*)?[}]/)) {
        out = out substr(line, 1, RSTART - 1) token(substr(line, RSTART + 1, RLENGTH - 2))
        line = substr(line, RSTART + RLENGTH)
      }
      out = out line
      sub(/¶$/, "", out)
      print out
    }
    function include(file, with_lead,   line) {
      lead = with_lead
      while ((getline line < file) > 0) emit(line)
      close(file)
      lead = ""
    }
    BEGIN {
      while ((getline line < handles) > 0) { split(line, f, " "); handle[f[1]] = f[2] }
      split("０ １ ２ ３", digits, " ")
      for (i = 1; i <= 3; i++) fullwidth[i] = digits[i + 1]
    }
    $0 == "{MENU}" { include(fragments "/menu.txt", ""); next }
    $0 == "{INVENTORY_CONSOLE}" { include(fragments "/inventory.txt", "　"); next }
    $0 == "{INVENTORY_REPORT}" { include(fragments "/inventory.txt", "    "); next }
    /^[{]MANYROWS:[0-9]+[}]$/ {
      n = substr($0, 11, length($0) - 11) + 0
      for (r = 0; r < n; r++) printf " 行%03d ; %d ; %s \n", r, r * r, r % 2 ? "奇数" : "偶数"
      next
    }
    { emit($0) }
  ' "$1"
}

# UTF-8 with LF -> CP932 with CR LF.
to_windows() {
  iconv -f UTF-8 -t CP932 | awk '{ printf "%s\r\n", $0 }'
}

# Removes from an inventory-bearing output the blocks (a rule of 48 "-", a
# title, list entries) whose entries all belong to windows other than the
# sample's: Wine's own windows may hold list views. Everything else is kept
# byte for byte, including a missing line end at the end of the file.
console_label=$(printf '　ハンドル番号：' | iconv -f UTF-8 -t CP932)
report_label=$(printf '    ハンドル番号：' | iconv -f UTF-8 -t CP932)
count_label=$(printf '　リスト行数　：' | iconv -f UTF-8 -t CP932)
export console_label report_label count_label sample_lists
drop_foreign_blocks() {
  local final_newline=0
  [ -s "$1" ] && [ "$(tail -c 1 "$1" | od -An -t x1 | tr -d ' ')" = 0a ] && final_newline=1
  awk -v final_newline="$final_newline" -v report="$2" '
    function entry_handle(s,   labels, i, label, rest) {
      labels[1] = ENVIRON["console_label"]; labels[2] = ENVIRON["report_label"]
      for (i = 1; i <= 2; i++) {
        label = labels[i]
        if (substr(s, 1, length(label)) != label) continue
        rest = substr(s, length(label) + 1)
        if (substr(rest, 1, 10) ~ /^[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]$/ &&
            substr(rest, 11, length(ENVIRON["count_label"])) == ENVIRON["count_label"])
          return substr(rest, 1, 10)
      }
      return ""
    }
    BEGIN {
      n = split(ENVIRON["sample_lists"], lists, " ")
      for (i = 1; i <= n; i++) mine[lists[i]] = 1
      rule = sprintf("%48s", ""); gsub(/ /, "-", rule)
    }
    { line[NR] = $0 }
    END {
      for (i = 1; i <= NR; ) {
        if (line[i] == rule "\r" && i + 2 <= NR) {
          entries = 0; foreign = 1
          for (j = i + 2; j <= NR && (h = entry_handle(line[j])) != ""; j++) {
            entries++
            if (h in mine) foreign = 0
          }
          if (entries > 0 && foreign) { dropped++; i = j; continue }
        }
        printf "%s", line[i]
        if (i < NR || final_newline) printf "\n"
        i++
      }
      if (dropped) printf "e2e: %s: left out %d inventory blocks of windows not the sample'"'"'s\n", report, dropped > "/dev/stderr"
    }
  ' "$1"
}

# Shows CP932 CR LF text as UTF-8 lines, marking what is not a plain CR LF end.
readable() {
  iconv -f CP932 -t UTF-8 -c "$1" | awk '{ if (sub(/\r$/, "")) print; else print $0 "⟨no CR⟩" }'
}

mismatches=0
compare() {  # label expected actual
  if [ ! -e "$3" ]; then
    echo "e2e: $1: MISSING (the program wrote no such file)" >&2
    mismatches=$((mismatches + 1))
    return
  fi
  cmp -s "$2" "$3" && return
  mismatches=$((mismatches + 1))
  echo "e2e: $1 DIFFERS: $(cmp "$2" "$3" 2>&1 | sed 's/^[^:]*: //')" >&2
  iconv -f CP932 -t UTF-8 "$3" >/dev/null 2>&1 || echo "e2e: $1: the output is not valid CP932" >&2
  diff -u --label "expected $1" --label "actual $1" <(readable "$2") <(readable "$3") | head -n 80 >&2
  echo "e2e: the first differing bytes (offset, expected, actual in octal):" >&2
  cmp -l "$2" "$3" 2>/dev/null | head -n 5 >&2
}

rm -rf "$work"
mkdir -p "$work/expected" || exit 1
for case in "${CASES[@]}"; do
  dir=$here/cases/$case
  exp=$work/expected/$case
  mkdir -p "$exp"
  for file in stdin.txt stdout.txt stderr.txt Handle_List.txt; do
    expand_template "$dir/$file" >"$exp/$file.utf8" || fail "cannot expand $dir/$file"
    to_windows <"$exp/$file.utf8" >"$exp/$file" || fail "cannot convert $dir/$file to CP932"
  done
  held=
  if [ -e "$dir/hold" ]; then
    held=$(cat "$dir/hold")
    [ -f "$work/run/$held" ] || fail "case $case: no $held in the working folder to hold"
    cp "$work/run/$held" "$work/held.before" || exit 1
    wh_start_helper "$work/run" "$holder" "$held" || exit 1
  fi
  case_started=$(wh_now)
  wh_run "$work/run" "$exp/stdin.txt" "$tool" || mismatches=$((mismatches + 1))
  echo "e2e: case $case ran in $(wh_elapsed "$case_started")s${held:+ with $held held}"
  if [ -n "$held" ]; then
    wh_stop_helper
    if [ "$WH_HELPER_STATUS" != 0 ]; then
      echo "e2e: $case: holdfile ended with status $WH_HELPER_STATUS" >&2
      mismatches=$((mismatches + 1))
    fi
    if ! cmp -s "$work/held.before" "$work/run/$held"; then
      echo "e2e: $case: $held CHANGED while held open for reading only" >&2
      mismatches=$((mismatches + 1))
    fi
  fi
  drop_foreign_blocks "$work/run/stdout" "$case/stdout" >"$work/run/stdout.sample"
  if [ -e "$work/run/Handle_List.txt" ]; then
    drop_foreign_blocks "$work/run/Handle_List.txt" "$case/Handle_List.txt" >"$work/run/Handle_List.sample"
  fi
  compare "$case/stdout" "$exp/stdout.txt" "$work/run/stdout.sample"
  compare "$case/stderr" "$exp/stderr.txt" "$work/run/stderr"
  compare "$case/Handle_List.txt" "$exp/Handle_List.txt" "$work/run/Handle_List.sample"
  if [ "$(cat "$work/run/status")" != "$(cat "$dir/status")" ]; then
    echo "e2e: $case/status DIFFERS: expected $(cat "$dir/status"), actual $(cat "$work/run/status")" >&2
    mismatches=$((mismatches + 1))
  fi
  mkdir -p "$work/actual/$case"
  mv "$work/run/stdout" "$work/run/stderr" "$work/run/status" "$work/actual/$case/"
  cp "$work/run/Handle_List.txt" "$work/actual/$case/" 2>/dev/null
done

wh_stop_sample
[ "${WH_SAMPLE_STATUS:-}" = 0 ] || {
  echo "e2e: the sample did not end cleanly (status ${WH_SAMPLE_STATUS:-unknown})" >&2
  mismatches=$((mismatches + 1))
}
wh_stop
echo "e2e: done in $(wh_elapsed "$started")s; outputs kept in $work/actual"
if [ "$mismatches" -gt 0 ]; then
  echo "e2e: FAILED: $mismatches mismatches" >&2
  exit 1
fi
echo "e2e: PASSED (${CASES[*]})"
