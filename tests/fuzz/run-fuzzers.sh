#!/usr/bin/env bash
# Runs libFuzzer targets of a -DQM_FUZZ=ON build, at most three at a time.
#   tests/fuzz/run-fuzzers.sh <build dir> <seconds per target> [target...]
# Without targets every built one runs. Each target starts from its corpus in
# <build>/fuzz-corpus/<target> (seeded from tests/fuzz/seeds/<name> and from
# the target's own seed writer), uses tests/fuzz/<name>.dict when present,
# writes its log to <build>/fuzz-logs and any crash input to
# <build>/fuzz-artifacts/<target>/. Exit status: non-zero if any target found
# a fault.
# Targets keep their scratch files in per-process folders under $TMPDIR (or
# /tmp) and remove them at exit, or at the next start after a crash.
# Behaviour checks beyond memory errors, on unless set to 0:
#   QM_FUZZ_RELAY_STATUS_CHECK   an accepted relay answer says exactly 0
#   QM_FUZZ_PROTO_UI_FILE_CHECK  a control answer leaves no file behind
# Inputs that showed a fault are kept under tests/fuzz/findings/<name>/; run
# one with: <build>/fuzz/<target> <file>
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <build dir> <seconds per target> [target...]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for binary in "$build"/fuzz/*_fuzz; do
    [ -x "$binary" ] && targets+=("$(basename "$binary")")
  done
fi
mkdir -p "$build/fuzz-logs"

run_one() {
  local target=$1 name=${1%_fuzz}
  local corpus="$build/fuzz-corpus/$target" artifacts="$build/fuzz-artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  if [ -d "$here/seeds/$name" ]; then
    cp -n "$here/seeds/$name"/* "$corpus"/ 2>/dev/null
  fi
  local args=("$corpus" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -max_len=65536
              -artifact_prefix="$artifacts" -print_final_stats=1)
  if [ -f "$here/$name.dict" ]; then
    args+=(-dict="$here/$name.dict")
  fi
  QM_FUZZ_SEED_DIR="$corpus" "$build/fuzz/$target" "${args[@]}" >"$build/fuzz-logs/$target.log" 2>&1
  local status=$?
  echo "$target: exit $status, $(grep -c . <(ls "$corpus")) corpus entries, log $build/fuzz-logs/$target.log"
  return $status
}
export -f run_one
export build seconds here

printf '%s\n' "${targets[@]}" | xargs -P 3 -I{} bash -c 'run_one {}'
