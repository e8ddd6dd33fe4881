#!/usr/bin/env bash
# Static analysis: cppcheck over the program's sources, with no finding allowed. (The compiler's
# warnings are errors in both builds already.)
set -euo pipefail
build=${1:-build}
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability \
    --inline-suppr --std=c++17 --library=windows -D_WIN32 -DWINAPI= -DCALLBACK= \
    --suppress=missingIncludeSystem \
    app settings search send export
