#!/usr/bin/env bash
# Uses filecrypter-cli as a user would: round trips of a file and a folder,
# every way of giving the password, failures and usage errors.
set -u
cli="$1"
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli_test_prelude.sh"
status_is() { # expected status, then the command
  local expected="$1"; shift
  "$@" >/dev/null 2>&1 </dev/null
  [ $? -eq "$expected" ]
}

printf 'quarterly numbers\n' > report.txt
check "encrypt a file" status_is 0 "$cli" encrypt --password 'pässword 密码' report.txt
check "encrypted output beside it" test -s '加密【report】.txt'
check "output differs from input" bash -c '! cmp -s report.txt 加密【report】.txt'
check "decrypt with the password on stdin" \
  bash -c "echo 'pässword 密码' | '$cli' decrypt 加密【report】.txt >/dev/null"
check "round trip" cmp report.txt '解密【加密【report】】.txt'

printf 'pässword 密码\r\nignored\n' > pw.txt
check "password file" status_is 0 "$cli" decrypt --password-file pw.txt ./加密【report】.txt
check "password file round trip" cmp report.txt '解密【加密【report】】.txt'

mkdir -p trip/day2 && echo a > trip/a.jpg && echo b > trip/day2/b.jpg
out="$("$cli" encrypt --folder --default-password trip/ 2>&1)"
check "folder output is named" test "$out" = "./加密【trip】/"
check "folder flattened" test -f '加密【trip】/b.jpg'
check "folder decrypt" status_is 0 "$cli" decrypt -f --default-password 加密【trip】
check "folder round trip" cmp trip/day2/b.jpg '解密【加密【trip】】/b.jpg'

err="$("$cli" encrypt -p x missing.txt report.txt 2>&1 >/dev/null)"
check "a missing file fails" status_is 1 "$cli" encrypt -p x missing.txt report.txt
check "failure names the file" grep -q 'missing.txt: cannot read it' <<<"$err"
check "wrong password is not detected, but damage is" \
  bash -c "echo junk > junk.bin; ! '$cli' decrypt -p x junk.bin 2>/dev/null"

check "help" status_is 0 "$cli" --help
check "help text" bash -c "'$cli' --help | grep -q 'Exit status'"
check "no arguments" status_is 2 "$cli"
check "unknown command" status_is 2 "$cli" scramble x
check "no password on empty stdin" status_is 2 "$cli" encrypt report.txt
check "empty stdin line refused" bash -c "echo | '$cli' encrypt report.txt 2>/dev/null; [ \$? -eq 2 ]"

exit $((failures > 0))
