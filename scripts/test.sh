#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test of the project.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir "${TAMZOR_BUILD_DIR:-build}" --output-on-failure -j2
