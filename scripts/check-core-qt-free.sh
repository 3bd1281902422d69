#!/usr/bin/env bash
# Fails when a file of the Qt-free core includes a Qt header (the Qt views (*View.*), the Qt
# platform (src/platform/qt/) and main() are the only places allowed to), or when the platform
# includes a header of a subsystem above it.
set -euo pipefail
top=${1:-$(dirname "$0")/..}
hits=$(grep -rlE '#include *[<"](Q[A-Za-z]|qt)' "$top/src" --include='*.h' --include='*.cpp' \
  | grep -vE 'View\.(h|cpp)$|/platform/qt/|/app/main\.cpp$' || true)
if [ -n "$hits" ]; then
  echo "The core must not include Qt; found in:" >&2
  echo "$hits" >&2
  exit 1
fi
# The platform is the ground floor: the subsystems stand on it, never the other way round.
hits=$(grep -rlE '#include *"(app|canvas|colour|document|edit|extract|recent|transform)/' \
  "$top/src/platform" --include='*.h' --include='*.cpp' || true)
if [ -n "$hits" ]; then
  echo "Nothing under src/platform/ may include a subsystem's header; found in:" >&2
  echo "$hits" >&2
  exit 1
fi
