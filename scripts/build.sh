#!/usr/bin/env bash
# Configures ./build and builds the targets named as arguments (the program,
# say), or everything: program, command-line tool, tests, benchmarks, tools.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# Configured once; the build itself notices a changed CMakeLists.txt.
[[ -f build/build.ninja ]] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if (($#)); then
    cmake --build build -j "$(nproc)" --target "$@"
else
    cmake --build build -j "$(nproc)"
fi
