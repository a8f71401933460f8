#!/usr/bin/env bash
# Files and folders through filecrypter-cli, against peers on the same files:
#   a 1 GiB file   encrypt and decrypt  vs  openssl enc -aes-128-ecb -nopad
#   10,000 files of 4 KiB in folder mode  vs  cp -r
# Prints wall time (median of three runs after a warm-up run, the two sides
# taking turns), peak resident memory (from /usr/bin/time -v), each ratio,
# and PASS or FAIL against the targets.  Each run starts after a sync and a
# pause, reading from the page cache with no write-back pending, and writes
# new files: earlier outputs are moved out of the way (and removed at the
# end, so that freeing them does not load the disk during a later run).
#
# Usage, from the repository root:  bench/file_bench.sh [SCRATCH-FOLDER]
# (default /tmp; needs about 4 GiB free there).  FC_BENCH_BUILD names the
# Release build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${FC_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFC_BUILD_TESTS=OFF \
  -DFC_BUILD_BENCH=OFF -DFC_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target filecrypter-cli >/dev/null
cli=$(realpath "$build/cli/filecrypter-cli")

if [[ ! -x /usr/bin/time ]]; then
  if [[ $(id -u) -eq 0 ]]; then
    apt-get install -y -qq time >/dev/null
  else
    echo "file_bench: /usr/bin/time is missing; install the 'time' package" >&2
    exit 2
  fi
fi
command -v openssl >/dev/null || { echo "file_bench: openssl is missing" >&2; exit 2; }

scratch=$(mktemp -d "${1:-/tmp}/fc-bench.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
mkdir trash
# away PATH...: moves earlier outputs into the trash.
away() {
  local path
  for path in "$@"; do
    if [[ -e $path ]]; then mv "$path" "trash/$(date +%s%N)"; fi
  done
}

password=bench-password16                      # exactly the 16 key bytes
key=$(printf %s "$password" | od -An -tx1 | tr -d ' \n')

# run_once NAME COMMAND...: runs COMMAND once, after `before` (a function
# that moves earlier outputs away), a sync and a pause; appends the wall time
# in seconds to walls_NAME and keeps the peak resident memory in KiB as
# rss_NAME.
run_once() {
  local name=$1; shift
  local start end
  before_$name
  sync
  sleep 2
  start=$(date +%s%N)
  /usr/bin/time -v -o time.txt "$@" >/dev/null
  end=$(date +%s%N)
  declare -g -a "walls_$name"
  local -n walls=walls_$name
  walls+=("$(awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e9 }')")
  printf -v "rss_$name" '%s' "$(awk -F': ' '/Maximum resident/ { print $2 }' time.txt)"
}

# compare A B: runs the commands of A and B (cmd_A, cmd_B: arrays) in turn,
# a first round to warm the caches and then three timed rounds, and sets
# wall_A and wall_B to the median of the timed rounds.  Taking turns spreads
# the disk's own moods evenly over both sides.
compare() {
  local round name
  for round in 0 1 2 3; do
    for name in "$1" "$2"; do
      local -n cmd=cmd_$name
      run_once "$name" "${cmd[@]}"
      unset -n cmd
    done
  done
  for name in "$1" "$2"; do
    local -n walls=walls_$name
    printf -v "wall_$name" '%s' "$(printf '%s\n' "${walls[@]:1}" | sort -n | sed -n 2p)"
    unset -n walls
  done
}

failures=0
# verdict LABEL VALUE LIMIT UNIT: prints a line with PASS when VALUE <= LIMIT.
verdict() {
  local ok
  ok=$(awk -v v="$2" -v l="$3" 'BEGIN { print (v <= l) ? "PASS" : "FAIL" }')
  [[ $ok == PASS ]] || failures=$((failures + 1))
  printf '  %-44s %8s %-4s (target <= %s)  %s\n' "$1" "$2" "$4" "$3" "$ok"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

echo "Machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p' | head -1)"
echo "Scratch: $scratch ($(df -T . | awk 'NR == 2 { print $2 }'))"

# --- One file of 1 GiB --------------------------------------------------------
head -c $((1 << 30)) /dev/urandom >big.bin

before_enc() { rm -f 加密【big】.bin; }
before_ossl_enc() { rm -f big.ossl; }
cmd_enc=("$cli" encrypt --password "$password" big.bin)
cmd_ossl_enc=(openssl enc -aes-128-ecb -nopad -K "$key" -in big.bin -out big.ossl)
compare enc ossl_enc
# The container is the 8-byte header followed by exactly what openssl made.
cmp -s <(tail -c +9 加密【big】.bin) big.ossl || { echo "file_bench: ciphertexts differ" >&2; exit 1; }

before_dec() { rm -f 解密【加密【big】】.bin; }
before_ossl_dec() { rm -f big.ossl.out; }
cmd_dec=("$cli" decrypt --password "$password" 加密【big】.bin)
cmd_ossl_dec=(openssl enc -d -aes-128-ecb -nopad -K "$key" -in big.ossl -out big.ossl.out)
compare dec ossl_dec
cmp -s big.bin 解密【加密【big】】.bin || { echo "file_bench: round trip differs" >&2; exit 1; }
rm -f big.ossl big.ossl.out 解密【加密【big】】.bin

# --- 10,000 files of 4 KiB --------------------------------------------------
mkdir tree
head -c $((10000 * 4096)) /dev/urandom | (cd tree && split -b 4096 -a 5 -d - f)

before_folder() { away 加密【tree】; }
before_cp() { away tree.copy; }
cmd_folder=("$cli" encrypt --folder --password "$password" tree)
cmd_cp=(cp -r tree tree.copy)
compare folder cp
[[ $(ls 加密【tree】 | wc -l) -eq 10000 ]] || { echo "file_bench: folder output incomplete" >&2; exit 1; }

echo
echo "1 GiB file                 filecrypter-cli   openssl enc   ratio"
printf '  encrypt, wall        %12s s %11s s %7s\n' "$wall_enc" "$wall_ossl_enc" "$(ratio "$wall_enc" "$wall_ossl_enc")"
printf '  decrypt, wall        %12s s %11s s %7s\n' "$wall_dec" "$wall_ossl_dec" "$(ratio "$wall_dec" "$wall_ossl_dec")"
printf '  encrypt, peak RSS    %10s MiB %9s MiB\n' "$(mib "$rss_enc")" "$(mib "$rss_ossl_enc")"
printf '  decrypt, peak RSS    %10s MiB %9s MiB\n' "$(mib "$rss_dec")" "$(mib "$rss_ossl_dec")"
echo "10,000 files of 4 KiB      filecrypter-cli   cp -r         ratio"
printf '  folder mode, wall    %12s s %11s s %7s\n' "$wall_folder" "$wall_cp" "$(ratio "$wall_folder" "$wall_cp")"
printf '  folder mode, peak RSS%10s MiB %9s MiB\n' "$(mib "$rss_folder")" "$(mib "$rss_cp")"
echo
echo "Targets"
verdict "encrypt 1 GiB, wall vs openssl enc" "$(ratio "$wall_enc" "$wall_ossl_enc")" 1.0 x
verdict "decrypt 1 GiB, wall vs openssl enc -d" "$(ratio "$wall_dec" "$wall_ossl_dec")" 1.0 x
verdict "encrypt 1 GiB, peak RSS" "$(mib "$rss_enc")" 32 MiB
verdict "decrypt 1 GiB, peak RSS" "$(mib "$rss_dec")" 32 MiB
verdict "folder of 10,000 x 4 KiB, wall vs cp -r" "$(ratio "$wall_folder" "$wall_cp")" 2.0 x
exit $((failures > 0))
