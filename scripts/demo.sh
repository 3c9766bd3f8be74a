#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the main job on its built-in input.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${TAMZOR_BUILD_DIR:-build}
if [ -x "$build_dir/host/tamzor" ]; then
  exec "$build_dir/host/tamzor" demo "$@"
fi
exec "$build_dir/host/tamzor-info" "$@"
