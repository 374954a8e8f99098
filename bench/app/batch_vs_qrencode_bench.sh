#!/usr/bin/env bash
# vantrel-cli batch over 1,000 short URLs (50 bytes each) against 1,000 runs of Debian's
# qrencode (level H, 8-bit mode) for the same texts. Prints both times and the ratio.
# Arguments meant for the Google Benchmark programs are ignored.
set -euo pipefail
cli="$<TARGET_FILE:vantrel-cli>"
count=${VANTREL_BATCH_COUNT:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((i = 1; i <= count; ++i)); do
  printf 'https://example.com/items/2026/12/11/qr-code-%05d\n' "$i"
done >"$work/urls.txt"

if ! command -v qrencode >/dev/null; then
  echo "qrencode is not installed (apt-get install qrencode)" >&2
  exit 1
fi

# Wall-clock seconds of a command, best of three.
best_of_three() {
  local best="" start end took
  for _ in 1 2 3; do
    rm -rf "$work/out" && mkdir "$work/out"
    start=$(date +%s.%N)
    "$@"
    end=$(date +%s.%N)
    took=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    best=$(awk -v t="$took" -v b="${best:-$took}" 'BEGIN { print (t < b ? t : b) }')
  done
  echo "$best"
}

run_vantrel() { "$cli" batch -d "$work/out" "$work/urls.txt"; }
run_qrencode() {
  local n=0 line
  while IFS= read -r line; do
    n=$((n + 1))
    qrencode -l H -8 -o "$work/out/$n.png" "$line"
  done <"$work/urls.txt"
}

ours=$(best_of_three run_vantrel)
theirs=$(best_of_three run_qrencode)
awk -v n="$count" -v ours="$ours" -v theirs="$theirs" 'BEGIN {
  printf "vantrel-cli batch, %d texts: %.3f s (%.3f ms per picture)\n", n, ours, ours * 1000 / n
  printf "qrencode, %d runs:           %.3f s (%.3f ms per picture)\n", n, theirs, theirs * 1000 / n
  printf "ratio (qrencode / vantrel):  %.2f x\n", theirs / ours
}'
