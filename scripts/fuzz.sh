#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour
# sanitizers) and runs each for SECONDS (default 60) on the committed corpus
# of fuzz/corpus/TARGET. What a run finds goes to a scratch folder, never
# into the tree; a crash, a leak or a sanitizer report fails the script and
# leaves its input in fuzz-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes=${1:-60}
build=$(KORVANE_FUZZ=1 scripts/setup.sh | tail -n 1)
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p fuzz-artifacts
nouveaux=$(mktemp -d)
trap 'rm -rf "$nouveaux"' EXIT
for cible in $(find "$build/fuzz" -maxdepth 1 -type f -name "fuzz_*" -executable | sort); do
  nom=$(basename "$cible")
  mkdir -p "$nouveaux/$nom"
  echo "== $nom: ${secondes} s" >&2
  if ! "$cible" -max_total_time="$secondes" -max_len=40000 -timeout=10 -rss_limit_mb=2048 \
      -dict=fuzz/korvane.dict -artifact_prefix="fuzz-artifacts/$nom-" -print_final_stats=1 \
      "$nouveaux/$nom" "fuzz/corpus/${nom#fuzz_}" >"$nouveaux/$nom.log" 2>&1; then
    tail -n 80 "$nouveaux/$nom.log" >&2
    echo "$nom: finding, input kept in fuzz-artifacts/" >&2
    exit 1
  fi
  grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' \
    "$nouveaux/$nom.log" >&2
done
echo "fuzz targets ran ${secondes} s each without a finding"
