# Sourced by the shell tests of filecrypter-cli: works in a scratch folder
# that goes away at exit, and counts failed checks in $failures.  The test
# ends with: exit $((failures > 0))
set -u
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
check() { # description, then a command that must succeed
  local what="$1"; shift
  "$@" || fail "$what"
}
