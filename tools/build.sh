#!/usr/bin/env bash
# Installs what Brimvale needs on Debian 12, builds it, and runs the program or the test suite.
# Usage: tools/build.sh run | test | sanitize | package | bench [--growth]
# bench builds in Release and runs the steps benchmark, which prints each step's figure beside its target.
# sanitize builds the whole suite with clang under AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize and runs it; the first error a sanitizer finds stops the test it is in.
set -euo pipefail

mode=${1:-}
case "$mode" in
    run | test | sanitize | package | bench) ;;
    *)
        echo "usage: tools/build.sh run|test|sanitize|package|bench" >&2
        exit 2
        ;;
esac

cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev googletest
    libbenchmark-dev fonts-dejavu-core fonts-liberation2 xvfb xauth desktop-file-utils dpkg-dev file
    clang-14 libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ "$mode" = sanitize ]; then
    # -O1 keeps the instrumented build short; the benchmarks are left out.
    build_dir=build-sanitize
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DBRIMVALE_SANITIZE=ON -DBRIMVALE_BUILD_BENCHMARKS=OFF
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
else
    build_dir=build
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build_dir" --parallel "$(nproc)"

if [ "$mode" = run ]; then
    exec "$build_dir/src/app/brimvale"
fi
if [ "$mode" = package ]; then
    (cd "$build_dir" && cpack -G DEB)
    ls "$build_dir"/brimvale_*.deb
    exit 0
fi

runtime_dir=$(mktemp -d)
trap 'rm -rf "$runtime_dir"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime_dir"
if [ "$mode" = bench ]; then
    shift
    "$build_dir/benchmarks/steps/bench_steps" "$@"
    exit
fi
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" --timeout 120
