#!/usr/bin/env bash
# Builds the readers' libFuzzer targets with clang in build-fuzz, then fuzzes them or replays their corpora.
# Usage: tools/fuzz.sh run SECONDS [TARGET...]   fuzz each target (all by default) for SECONDS, one after the other
#        tools/fuzz.sh replay [TARGET...]        run each target once over every input of its committed corpus
#        tools/fuzz.sh seeds                     write the seed corpus under fuzz/corpus again
# Each target's corpus is fuzz/corpus/TARGET: the generated seeds (seed-*) and every input that ever made
# it fail (crash-*, leak-*, timeout-*, oom-*), kept as regression inputs. Inputs found while fuzzing go to
# build-fuzz/corpus/TARGET; an input that fails is written straight into fuzz/corpus/TARGET to be committed
# with its fix.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(CorvaneMatrixFuzzer DataFileFuzzer FieldReaderFuzzer ProfileFileFuzzer ResultFileFuzzer TextEncodingFuzzer)
build_dir=build-fuzz
mode=${1:-}
case "$mode" in
    run)
        seconds=${2:?"usage: tools/fuzz.sh run SECONDS [TARGET...]"}
        shift 2
        ;;
    replay) shift ;;
    seeds) shift ;;
    *)
        echo "usage: tools/fuzz.sh run SECONDS [TARGET...] | replay [TARGET...] | seeds" >&2
        exit 2
        ;;
esac
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

if ! command -v clang++-14 >/dev/null; then
    echo "tools/fuzz.sh: clang++-14 is missing: install the packages clang-14 and libclang-rt-14-dev" >&2
    exit 1
fi
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIMVALE_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

# Stop at the first finding, with a stack; a leak is a finding too.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

if [ "$mode" = seeds ]; then
    "$build_dir/fuzz/brimvale-fuzz-seeds" fuzz/corpus
    exit 0
fi

for target in "${targets[@]}"; do
    corpus=fuzz/corpus/$target
    if [ "$mode" = replay ]; then
        if ! log=$("$build_dir/fuzz/$target" "$corpus"/* 2>&1); then
            echo "$log" | tail -n 40 >&2
            echo "tools/fuzz.sh: $target fails on an input of $corpus" >&2
            exit 1
        fi
        echo "$target: all $(ls "$corpus" | wc -l) inputs of $corpus pass"
        continue
    fi
    work=$build_dir/corpus/$target
    mkdir -p "$work"
    echo "== $target: fuzzing for $seconds s"
    "$build_dir/fuzz/$target" "$work" "$corpus" -dict=fuzz/readers.dict -max_total_time="$seconds" \
        -max_len=16384 -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$corpus/" -print_final_stats=1
done
