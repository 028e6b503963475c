#!/usr/bin/env bash
# Runs each fuzz target of a fuzz build for a given time, a few at a time.
#   run-fuzz.sh <build/fuzz/fuzz> <seconds> <parallel> [target names...]
# Each target starts from its seeds (fuzz/corpus/<name>) and keeps what it
# finds new in <build>/work/<name>; a crash, a leak, a timeout or a memory
# blow-up leaves its input in <build>/findings/<name>/ and is listed at the
# end. The limits per target, and the keyword dictionary (fuzz/dict/) its
# mutations may insert, are in fuzz/limits.txt.
set -u
bin=$1 seconds=$2 parallel=$3
shift 3
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$bin/work" "$bin/findings" "$bin/logs"

declare -A max_len rss timeout dict
while read -r name len mb secs words; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  max_len[$name]=$len rss[$name]=$mb timeout[$name]=$secs dict[$name]=${words:-}
done < "$root/fuzz/limits.txt"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$bin"/*_fuzz; do names+=("$(basename "$f" _fuzz)"); done
fi

run_one() {
  local name=$1
  mkdir -p "$bin/work/$name" "$bin/findings/$name"
  local words=()
  [ -n "${dict[$name]:-}" ] && words=(-dict="$root/fuzz/dict/${dict[$name]}")
  "$bin/${name}_fuzz" "$bin/work/$name" "$root/fuzz/corpus/$name" "${words[@]}" \
    -max_total_time="$seconds" -max_len="${max_len[$name]:-16384}" -rss_limit_mb="${rss[$name]:-1024}" \
    -timeout="${timeout[$name]:-10}" -artifact_prefix="$bin/findings/$name/" -print_final_stats=1 \
    >"$bin/logs/$name.log" 2>&1
  local execs
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$bin/logs/$name.log" | grep -o '[0-9]*$' | tail -1)
  printf '%-22s %12s executions  %s\n' "$name" "${execs:-?}" \
    "$(ls "$bin/findings/$name" | wc -l) findings"
}

running=0
for name in "${names[@]}"; do
  run_one "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait
found=$(find "$bin/findings" -type f | sort)
if [ -n "$found" ]; then
  echo "Findings (see $bin/logs/<name>.log):"
  echo "$found"
  exit 1
fi
