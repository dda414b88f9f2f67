#!/usr/bin/env bash
# rsync in daemon mode (no ssh, no encryption) over the same pacing relay as
# transfer_bench --rtt-ms: the yardstick for many small files over a link.
# Usage: bench/rsync_over_link.sh BUILD_DIR RTT_MS [FILES]
# RSYNC_OPTIONS adds options to both runs (e.g. --fsync, to sync every file
# before its rename as the engine does).
# Needs rsync (not a dependency of the project: apt-get install rsync).
set -euo pipefail
build=${1:?build dir}
rtt=${2:?rtt in ms}
files=${3:-2000}
command -v rsync >/dev/null || { echo "rsync is not installed" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/qm-rsync-XXXXXX")
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/share/small" "$work/up" "$work/down"
for i in $(seq 0 $((files - 1))); do head -c 4096 /dev/urandom > "$work/share/small/f$i"; done
cp -r "$work/share/small" "$work/up/"
port=$((20000 + RANDOM % 20000))
cat > "$work/rsyncd.conf" <<CONF
use chroot = no
uid = $(id -u)
gid = $(id -g)
pid file = $work/rsyncd.pid
[share]
  path = $work/share
  read only = no
CONF
rsync --daemon --no-detach --config="$work/rsyncd.conf" --port="$port" --address=127.0.0.1 &
for _ in $(seq 50); do (exec 3<>/dev/tcp/127.0.0.1/"$port") 2>/dev/null && break; sleep 0.1; done
mkfifo "$work/relay-in"
"$build/bench/link_relay" "$port" --rtt-ms "$rtt" --port-file "$work/relay-port" < "$work/relay-in" > "$work/relay-out" &
exec 4>"$work/relay-in"
for _ in $(seq 50); do [ -s "$work/relay-port" ] && break; sleep 0.1; done
relay=$(cat "$work/relay-port")
rate() { awk -v n="$files" -v s="$1" 'BEGIN { printf "%.0f files/s", n / s }'; }
start=$(date +%s.%N)
rsync -a ${RSYNC_OPTIONS:-} "rsync://127.0.0.1:$relay/share/small/" "$work/down/small/"
down=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
# Into a new folder: files deleted just before would make the file system
# slower to create the next ones, which is not what is measured here.
start=$(date +%s.%N)
rsync -a ${RSYNC_OPTIONS:-} "$work/up/small/" "rsync://127.0.0.1:$relay/share/uploaded/"
up=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
echo "rsync daemon${RSYNC_OPTIONS:+ $RSYNC_OPTIONS}, RTT $rtt ms, $files x 4 KiB: download $(rate "$down"), upload $(rate "$up")"
