#!/usr/bin/env bash
# Installs what Brimvale needs on Debian 12, builds it, and runs the program or the test suite.
# Usage: tools/build.sh run | test | package
set -euo pipefail

mode=${1:-}
case "$mode" in
    run | test | package) ;;
    *)
        echo "usage: tools/build.sh run|test|package" >&2
        exit 2
        ;;
esac

cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev googletest
    libbenchmark-dev fonts-dejavu-core fonts-liberation2 xvfb xauth desktop-file-utils dpkg-dev file)
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

build_dir=build
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
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
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" --timeout 120
