#!/usr/bin/env bash
# Builds Vantrel and runs every test, builds the Debian package and checks it
# installed in a scratch folder (scripts/package.sh: files, programs,
# desktop-file-validate, appstreamcli validate), then builds the tests again with
# AddressSanitizer and UndefinedBehaviorSanitizer (into build-asan/, or
# $VANTREL_ASAN_BUILD_DIR) and runs them once more; any memory error, leak or
# undefined behaviour fails that run. Exits non-zero on any failure. Both
# builds are incremental, so a second call with nothing changed is quick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_BUILD_DIR:-$root/build}
asan_build=${VANTREL_ASAN_BUILD_DIR:-$root/build-asan}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

bash "$root/scripts/build.sh"
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 600

echo "== Debian package, installed into a scratch folder and checked"
bash "$root/scripts/package.sh"

echo "== Tests with AddressSanitizer and UndefinedBehaviorSanitizer"
VANTREL_BUILD_DIR=$asan_build bash "$root/scripts/build.sh" -DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF
# The first report ends the test program with a failure; leaks are checked at
# exit, with the suppressions for leaks inside system libraries only.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1:disable_coredump=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
ctest --test-dir "$asan_build" --output-on-failure --parallel "$jobs" --timeout 1200
