#!/usr/bin/env bash
# The command line of townwright-sim as a user meets it: good runs print CSV and exit 0; bad input
# prints one line on stderr, nothing on stdout, and exits 2; a failed write prints one line and
# exits 1. The tool's command is the arguments: the program, after an emulator where it needs one.
set -u
sim=("$@")
failures=0
out="$(mktemp)"
err="$(mktemp)"
trap 'rm -f "$out" "$err"' EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_refused() {
  "${sim[@]}" "$@" >"$out" 2>"$err"
  local status=$?
  [ "$status" -eq 2 ] || fail "$* exited $status, not 2"
  [ ! -s "$out" ] || fail "$* wrote to stdout"
  [ "$(wc -l <"$err")" -eq 1 ] || fail "$* wrote $(wc -l <"$err") lines to stderr: $(cat "$err")"
  grep -q '^townwright-sim: ' "$err" || fail "$* did not name itself: $(cat "$err")"
}

"${sim[@]}" --seed 1 --turns 3 >"$out" 2>"$err" || fail "--seed 1 --turns 3 failed"
[ "$(wc -l <"$out")" -eq 4 ] || fail "--seed 1 --turns 3 printed $(wc -l <"$out") lines"
head -c 13 "$out" | grep -q '^turn,pressed,' || fail "no header"
first="$(md5sum <"$out")"
"${sim[@]}" --turns=3 --seed=1 >"$out" || fail "--turns=3 --seed=1 failed"
[ "$(md5sum <"$out")" = "$first" ] || fail "the same seed printed different bytes"
"${sim[@]}" --seed 18446744073709551615 --turns 1 --press 'tax=1/2/3,9' >"$out" || fail "largest seed"
"${sim[@]}" --turns 2 >"$out" 2>"$err" || fail "default seed"
[ "$(wc -l <"$out")" -eq 3 ] || fail "default seed printed $(wc -l <"$out") lines"
seed="$(sed -n 's/^townwright-sim: seed \([0-9]*\)$/\1/p' "$err")"
if [ -z "$seed" ] || [ "$(wc -l <"$err")" -ne 1 ]; then
  fail "the chosen seed is not on stderr: $(cat "$err")"
fi
first="$(md5sum <"$out")"
"${sim[@]}" --turns 2 --seed "$seed" >"$out" 2>"$err" || fail "--seed $seed"
[ "$(md5sum <"$out")" = "$first" ] || fail "the printed seed does not repeat the game"
[ ! -s "$err" ] || fail "a given seed is echoed: $(cat "$err")"
"${sim[@]}" --help >"$out" || fail "--help failed"
grep -q -- '--press' "$out" || fail "--help does not describe --press"
"${sim[@]}" --version >"$out" || fail "--version failed"
grep -q '^townwright-sim [0-9]' "$out" || fail "--version: $(cat "$out")"

# A write that fails stops the run at once, says so in one line and exits 1; so do --help and
# --version. (10 million turns would run for many minutes if the failure went unnoticed.)
expect_write_failure() {
  "${sim[@]}" "$@" 2>"$err"
  local status=$?
  [ "$status" -eq 1 ] || fail "$* with a failing stdout exited $status, not 1"
  [ "$(wc -l <"$err")" -eq 1 ] || fail "$* with a failing stdout wrote $(wc -l <"$err") lines"
}
expect_write_failure --seed 1 --turns 10000000 >/dev/full
# node gives a program started with its stdout closed /dev/null instead, so there it cannot fail.
[[ "${sim[0]}" == *node* ]] || expect_write_failure --seed 1 --turns 10000000 >&-
expect_write_failure --help >/dev/full
expect_write_failure --version >/dev/full

# Any text can be typed into a tax box: in double quotes "," and "/" are part of it.
"${sim[@]}" --seed 1 --turns 2 --press '1,tax="1,000"/"a/b"/"say ""10""",1' >"$out" || fail "quoted taxes"
tail -n 1 "$out" | grep -q '," 1"," 0"," 0",' || fail "quoted taxes: $(tail -n 1 "$out")"

# Names and plain numbers for study; the default stays as it was.
"${sim[@]}" --seed 1 --turns 3 --columns names --values numbers >"$out" || fail "names and numbers"
head -n 1 "$out" | grep -q '^turn,pressed,choice_1,.*,treasury,.*,treasury_trend,.*,income_tax,.*,month,year,day$' ||
  fail "--columns names: $(head -n 1 "$out")"
tail -n 1 "$out" | grep -q ',1,2008,4$' || fail "--values numbers: $(tail -n 1 "$out")"
! tail -n 1 "$out" | grep -q '\$' || fail "--values numbers kept a \$: $(tail -n 1 "$out")"

# Error messages show unprintable bytes escaped, on one line.
expect_refused --press $'1,\e[31m\nred'
grep -q 'x1B\[31m\\x0Ared' "$err" || fail "the escape sequence reached the terminal: $(cat -v "$err")"
expect_refused --turns= --seed 1
grep -q -- '--turns has no value' "$err" || fail "--turns= --seed 1: $(cat "$err")"

expect_refused --bogus
expect_refused extra
expect_refused --seed
expect_refused --seed abc
expect_refused --seed 12x
expect_refused --seed -1
expect_refused --seed 18446744073709551616
expect_refused --turns 0
expect_refused --turns ""
expect_refused --turns 1.5
expect_refused --press 0
expect_refused --press 'tax=1/2/3'
expect_refused --press '1,x'
expect_refused --seed 1 --seed 2
expect_refused --columns numbers
expect_refused --press 'tax="1/2/3,1'


[ "$failures" -eq 0 ] && echo "all command-line checks passed"
exit $((failures > 0))
