#!/usr/bin/env bash
# Sets up what is missing, builds, and renders the built-in demo riff through
# the plug-in into out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec "${TAMZOR_BUILD_DIR:-build}/host/tamzor" demo "$@"
