#!/usr/bin/env bash
# The command line of townwright-sim as a user meets it: good runs print CSV and exit 0; bad input
# prints one line on stderr, nothing on stdout, and exits 2.
# The tool's command is the arguments: the program, after an emulator where it needs one.
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
"${sim[@]}" --turns 2 >"$out" || fail "default seed"
[ "$(wc -l <"$out")" -eq 3 ] || fail "default seed printed $(wc -l <"$out") lines"
"${sim[@]}" --help >"$out" || fail "--help failed"
grep -q -- '--press' "$out" || fail "--help does not describe --press"
"${sim[@]}" --version >"$out" || fail "--version failed"
grep -q '^townwright-sim [0-9]' "$out" || fail "--version: $(cat "$out")"

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

[ "$failures" -eq 0 ] && echo "all command-line checks passed"
exit $((failures > 0))
