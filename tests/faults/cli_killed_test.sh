#!/usr/bin/env bash
# filecrypter-cli killed with SIGKILL at points spread over a run on a large
# file: the output then holds its earlier content, does not exist, or holds
# the complete new output; never a part of one.  A killed run cannot remove
# its temporary file; what it leaves must be recognisable by its name.
set -u
cli="$1"
mib="${2:-200}"
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli_test_prelude.sh"

truncate -s "${mib}M" big.bin
target='加密【big】.bin'
printf 'earlier output\n' > earlier.txt

# The complete output, and how long an undisturbed run takes, to spread the
# kills over it.
start=$(date +%s%N)
"$cli" encrypt -p secret big.bin >/dev/null || { echo "FAILED: undisturbed run" >&2; exit 1; }
run_ms=$(( ($(date +%s%N) - start) / 1000000 ))
mv "$target" complete.bin
echo "an undisturbed run on ${mib} MiB takes ${run_ms} ms"

left=0
for percent in 2 10 25 40 55 70 85 95 110; do
  for earlier in none some; do
    rm -f "$target"
    [ "$earlier" = some ] && cp earlier.txt "$target"
    "$cli" encrypt -p secret big.bin >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v ms="$run_ms" -v p="$percent" 'BEGIN { printf "%.3f", ms * p / 100000 }')"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null

    at="killed at ${percent}% with $earlier earlier output"
    if [ ! -e "$target" ]; then
      [ "$earlier" = none ] || fail "$at: the earlier output is gone"
    elif cmp -s "$target" earlier.txt; then
      [ "$earlier" = some ] || fail "$at: an output appeared from nowhere"
    elif ! cmp -s "$target" complete.bin; then
      fail "$at: the output is neither the earlier nor the complete one ($(stat -c %s "$target") bytes)"
    fi
    for name in .[!.]* *; do
      [ -e "$name" ] || continue
      case "$name" in
        big.bin | earlier.txt | complete.bin | "$target") ;;
        .fc-????????????????.tmp) left=$((left + 1)); rm -f "$name" ;;
        *) fail "$at: unexpected file '$name'" ;;
      esac
    done
  done
done
echo "temporary files left by killed runs: $left"
[ "$failures" -eq 0 ] && echo "killed runs: 18 checked, none left a partial output"
exit $((failures > 0))
