#!/usr/bin/env bash
# filecrypter-cli on names with line breaks and on paths longer than the
# platform takes: the named file or a reported failure, never another file.
set -u
cli="$1"
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli_test_prelude.sh"
status_of() { "$@" >/dev/null 2>&1 </dev/null; echo $?; }

printf 'inner' > $'two\nlines.txt'
check "a line break inside a name" test "$(status_of "$cli" encrypt -p pw $'two\nlines.txt')" = 0
check "its output keeps the name" test -s $'加密【two\nlines】.txt'

# A name ending in CR LF looks like a list of dropped items; the tool must
# not take it for the file 'x' beside it.
printf 'the file x' > x
printf 'the file x CR LF' > $'x\r\n'
mkdir $'d\r\n' && printf 'in d' > $'d\r\n/f'
check "a name ending in a line break fails" \
  test "$(status_of "$cli" encrypt -p pw $'x\r\n')" = 1
check "a folder ending in a line break fails" \
  test "$(status_of "$cli" encrypt -f -p pw $'d\r\n/')" = 1
err="$("$cli" encrypt -p pw $'x\r\n' 2>&1 >/dev/null)"
check "the failure names the reason" grep -q 'line break' <<<"$err"
check "no other file was encrypted" test ! -e '加密【x】' -a ! -e '加密【d】'

long="$(printf 'a%.0s' $(seq 1 5000))"
check "a path longer than PATH_MAX fails" test "$(status_of "$cli" encrypt -p pw "$long")" = 1
check "... and so does its folder" test "$(status_of "$cli" encrypt -f -p pw "$long")" = 1

exit $((failures > 0))
