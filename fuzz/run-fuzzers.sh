#!/bin/sh
# Runs fuzz targets, one after the other, each for SECONDS (0: no time limit, for use with
# -runs=N). Further arguments go to libFuzzer as they are, for example -runs=10000000 -seed=1.
#
#   fuzz/run-fuzzers.sh TARGET|all SECONDS [libFuzzer flags...]
#
# The fuzzers come from $KELMORA_FUZZ_BIN_DIR, or are built with clang into
# $KELMORA_FUZZ_BUILD_DIR (default build-fuzz/). Each run works on a copy of the seed corpus in
# fuzz/corpus/TARGET, so the repository's corpus is never changed; the copy is removed
# afterwards unless $KELMORA_FUZZ_WORK_DIR names a directory to keep it in (for merging new
# inputs back with -merge=1). Inputs that fail are kept in $KELMORA_FUZZ_ARTIFACTS (default
# artifacts/ beside the fuzzers) as TARGET-crash-..., and the script fails.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
all_targets="split_lines number_list definition winning_check kinds_of_match utf8 results_text cp932"

if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET|all SECONDS [libFuzzer flags...]  (targets: $all_targets)" >&2
  exit 2
fi
which=$1
seconds=$2
shift 2

if [ "$which" = all ]; then
  targets=$all_targets
else
  case " $all_targets " in
    *" $which "*) targets=$which ;;
    *) echo "unknown fuzz target: $which (targets: $all_targets)" >&2; exit 2 ;;
  esac
fi

if [ -z "${KELMORA_FUZZ_BIN_DIR:-}" ]; then
  KELMORA_FUZZ_BIN_DIR=${KELMORA_FUZZ_BUILD_DIR:-$here/../build-fuzz}
  cmake -S "$here" -B "$KELMORA_FUZZ_BIN_DIR" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$KELMORA_FUZZ_BIN_DIR" -j 2
fi
artifacts=${KELMORA_FUZZ_ARTIFACTS:-$KELMORA_FUZZ_BIN_DIR/artifacts}
mkdir -p "$artifacts"

if [ -n "${KELMORA_FUZZ_WORK_DIR:-}" ]; then
  work=$KELMORA_FUZZ_WORK_DIR
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/kelmora-fuzz-XXXXXX")
  trap 'rm -rf "$work"' EXIT
  trap 'exit 130' INT TERM
fi

failed=""
for target in $targets; do
  binary=$KELMORA_FUZZ_BIN_DIR/fuzz_$target
  if [ ! -x "$binary" ]; then
    if [ "$which" = all ]; then
      echo "== $target: not built, skipped"
      continue
    fi
    echo "$binary: not built" >&2
    exit 1
  fi
  corpus=$work/$target
  mkdir -p "$corpus"
  cp -R "$here/corpus/$target/." "$corpus/"
  echo "== $target"
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$artifacts/$target-" "$@" "$corpus"; then
    failed="$failed $target"
  fi
done

if [ -n "$failed" ]; then
  echo "fuzz targets failed:$failed (inputs in $artifacts)" >&2
  exit 1
fi
