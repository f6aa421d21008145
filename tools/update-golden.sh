#!/bin/sh
# Rewrites the expected outputs under tests/data from the current build, after a
# change that is meant to alter what the program writes or reads: the golden files
# of tests/data/golden (whole outputs of the conversions in
# tests/cmdline/golden_test.cpp) and the descriptions of tests/data/reader_cases
# (tests/input/reader_cases_test.cpp) and the window's tables of tests/data/shell
# (tests/shell/window_tables_test.cpp). Review the difference (git diff --stat
# tests/data) before committing it.
set -eu
cd "$(dirname "$0")/.."
cmake --build build -j2 --target Morvane morvane_tests morvane_shell_tests
(cd build && MORVANE_UPDATE_GOLDEN=1 ctest -j2 --output-on-failure >/dev/null) || echo "some tests failed; see build/Testing/Temporary/LastTest.log" >&2
git status --short tests/data
