#!/usr/bin/env bash
# Builds the calculator (only the program and what it needs) and starts it;
# arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh quorvel
exec ./build/shell/quorvel "$@"
