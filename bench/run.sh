#!/usr/bin/env bash
# Runs Lumbra's benchmarks and prints one table, every figure beside a baseline measured in
# the same run: bench/run.sh [largest folder size, default 100000]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw >/dev/null
env_dir="$root/build/benchenv"
trap 'tests/env.sh teardown "$env_dir"' EXIT
tests/env.sh setup "$env_dir" "$root/build/bin" >/dev/null
largest=${1:-100000}
for n in 10 1000 10000 100000; do
    [ "$n" -le "$largest" ] || break
    mkdir -p "$env_dir/disc-f/N$n"
    (cd "$env_dir/disc-f/N$n" && seq -f 'F%06g.EXE' 1 $((n - 1)) | xargs touch)
done
tests/wine-run.sh "$env_dir" build/bin/bench.exe "$largest"
exe=build/bin/lumbra.exe
size=$(stat -c %s "$exe")
echo "| executable size (bytes) | $size | 524288 (512 KiB) | $(awk "BEGIN{printf \"%.2f\", $size/524288}") |"
echo "| imported DLLs | $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')| | |"
