#!/usr/bin/env bash
# Fails when a file of the Qt-free core includes a Qt header (the Qt views (*View.*), the Qt
# platform (src/platform/qt/) and main() are the only places allowed to). The order of the
# folders is scripts/check-layers.sh's.
set -euo pipefail
top=${1:-$(dirname "$0")/..}
hits=$(grep -rlE '#include *[<"](Q[A-Za-z]|qt)' "$top/src" --include='*.h' --include='*.cpp' \
  | grep -vE 'View\.(h|cpp)$|/platform/qt/|/app/main\.cpp$' || true)
if [ -n "$hits" ]; then
  echo "The core must not include Qt; found in:" >&2
  echo "$hits" >&2
  exit 1
fi
