#!/bin/sh
# Rewrites the golden files of tests/data/golden (the whole outputs of the
# conversions in tests/cmdline/golden_test.cpp) from the current build, after a
# change that is meant to alter what the program writes. Review the difference
# (git diff --stat tests/data/golden) before committing it.
set -eu
cd "$(dirname "$0")/.."
cmake --build build -j2 --target Morvane morvane_tests
MORVANE_UPDATE_GOLDEN=1 build/tests/morvane_tests --gtest_filter='Conversions/Golden.*' --gtest_brief=1
git status --short tests/data/golden
