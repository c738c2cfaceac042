#!/usr/bin/env bash
# Builds everything and runs the whole test suite (the engine tests also under ASan/UBSan).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
ctest --test-dir build --output-on-failure -j "$(nproc)"
