#!/bin/bash
# Fails when a C++ file differs from what clang-format makes of it with the
# project's .clang-format.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages clang-format
cd "$root"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format: all $(git ls-files '*.cpp' '*.h' | wc -l) C++ files as clang-format leaves them"
