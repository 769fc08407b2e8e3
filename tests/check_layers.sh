#!/usr/bin/env bash
# The house rules of src/ that the compiler does not see: each layer includes
# only the layers below it (two on one level not each other), and no file is
# longer than a reader takes in at once. Prints every break and fails on any.
set -euo pipefail
src="${1:-$(cd "$(dirname "$0")/../src" && pwd)}"

# Highest first; layers on one line share a level.
levels=(
    "app"
    "settings"
    "multiplayer dialogs"
    "components"
    "platform"
    "dosbox"
    "network"
    "core"
)
MaxLines=300

declare -A level
for i in "${!levels[@]}"; do
    for layer in ${levels[$i]}; do level[$layer]=$i; done
done

faults=0
while IFS= read -r -d '' file; do
    relative="${file#"$src"/}"
    layer="${relative%%/*}"
    [ -n "${level[$layer]+set}" ] || continue
    while IFS= read -r included; do
        [ -n "${level[$included]+set}" ] || continue
        if [ "$included" != "$layer" ] && [ "${level[$included]}" -le "${level[$layer]}" ]; then
            echo "$relative includes $included/, which is not below $layer/"
            faults=$((faults + 1))
        fi
    done < <(sed -n -E 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z]+)/.*|\1|p' "$file")
    lines=$(wc -l <"$file")
    if [ "$lines" -gt "$MaxLines" ]; then
        echo "$relative has $lines lines, more than $MaxLines"
        faults=$((faults + 1))
    fi
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) -print0)

[ "$faults" -eq 0 ] || { echo "$faults breaks of the layer and size rules"; exit 1; }
echo "Every layer includes only those below it; no file is over $MaxLines lines."
