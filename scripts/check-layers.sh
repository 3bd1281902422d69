#!/usr/bin/env bash
# Fails when an include under src/ runs up or sideways between the floors below, or when a folder
# of src/ stands on no floor. A file may include the headers of its own folder and of folders on
# lower floors only, so no folder is both floor and roof of another. With -v it also prints what
# each folder includes.
set -euo pipefail
verbose=0
if [ "${1:-}" = -v ]; then
  verbose=1
  shift
fi
top=${1:-$(dirname "$0")/..}

# The floors, the ground first.
floors=(
  "base files raster"                              # shared helpers, file access, the rasters
  "platform"                                       # what the program needs of the system
  "document colour edit transform extract recent"  # the model: the icon and what it is made of
  "canvas"                                         # the canvas and its tools
  "commands"                                       # what carries out a user's command
  "app thumbnailer extractor"                      # the programs
)
declare -A floor_of
for i in "${!floors[@]}"; do
  for folder in ${floors[$i]}; do floor_of[$folder]=$((i + 1)); done
done

status=0
for dir in "$top"/src/*/; do
  folder=$(basename "$dir")
  if [ -z "${floor_of[$folder]:-}" ]; then
    echo "src/$folder/ stands on no floor: add it to scripts/check-layers.sh" >&2
    status=1
  fi
done

declare -A uses
while IFS=: read -r file include; do
  folder=${file#"$top"/src/}
  folder=${folder%%/*}
  target=$(sed -E 's/^#include *"([^/"]+)\/.*/\1/' <<<"$include")
  [ "$target" = "$folder" ] && continue
  [ -z "${floor_of[$target]:-}" ] && continue  # not a folder of src/
  uses[$folder]="${uses[$folder]:-} $target"
  if [ -n "${floor_of[$folder]:-}" ] && [ "${floor_of[$target]}" -ge "${floor_of[$folder]}" ]; then
    echo "${file#"$top"/}: $include runs from floor ${floor_of[$folder]} ($folder)" \
      "to floor ${floor_of[$target]} ($target)" >&2
    status=1
  fi
done < <(grep -rHoE '^#include *"[^/"]+/[^"]*"' "$top/src" --include='*.h' --include='*.cpp')

if [ "$verbose" = 1 ]; then
  for i in "${!floors[@]}"; do
    for folder in ${floors[$i]}; do
      used=$(tr ' ' '\n' <<<"${uses[$folder]:-}" | sed '/^$/d' | sort -u | tr '\n' ' ')
      printf 'floor %d  %-12s includes %s\n' $((i + 1)) "$folder" "${used:-nothing}"
    done
  done
  [ "$status" = 0 ] && echo "Every include runs down: ${#floor_of[@]} folders on ${#floors[@]} floors."
fi
exit $status
