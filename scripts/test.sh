#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test of the project; then
# runs the plug-in and model tests on the configuration without SSE2, and the
# concurrency tests again on a ThreadSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${TAMZOR_BUILD_DIR:-build}
ctest --test-dir "$build_dir" --output-on-failure -j2

plain_dir=${build_dir}-plain
cmake -S . -B "$plain_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMZOR_SSE2=OFF -DTAMZOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$plain_dir" --target plugin_tests dsp_tests threads_tests
"$plain_dir/tests/plugin/plugin_tests" --gtest_brief=1
"$plain_dir/tests/dsp/dsp_tests" --gtest_brief=1
"$plain_dir/tests/threads/threads_tests" --gtest_brief=1

tsan_dir=${build_dir}-tsan
cmake -S . -B "$tsan_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMZOR_SANITIZE=thread \
  -DTAMZOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$tsan_dir" --target threads_tests tamzor_editor_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
"$tsan_dir/tests/threads/threads_tests"
"$tsan_dir/tests/editor/tamzor_editor_tests"
