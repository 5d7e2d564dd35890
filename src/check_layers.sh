#!/usr/bin/env bash
# The layers' fence, second half. The include roots (src/CMakeLists.txt) stop an include that
# reaches upwards at compile time, but a forward declaration of a higher layer's type slips past
# them and lets a lower layer name that type all the same. This check fails on either: no file
# of a layer includes a higher layer's header or declares a type that a higher layer defines.
# Usage: check_layers.sh SRC_DIR
set -euo pipefail
shopt -s nullglob
src="${1:?usage: check_layers.sh SRC_DIR}"
# Bottom to top, as src/CMakeLists.txt adds them.
layers=(core platform console modem voice job posix win32 qt ui app)
status=0
for ((i = 0; i < ${#layers[@]}; i++)); do
  files=("$src/${layers[i]}"/*.h "$src/${layers[i]}"/*.cpp)
  for higher in "${layers[@]:i+1}"; do
    if grep -HnE "^#include [\"<]$higher/" "${files[@]}"; then
      echo "^ ${layers[i]} includes a header of $higher, a higher layer"
      status=1
    fi
    for type in $(sed -nE 's/^(class|struct|enum class) ([A-Za-z0-9_]+)( final)? [:{].*/\2/p' \
      "$src/$higher"/*.h </dev/null | sort -u); do  # no headers: nothing from stdin
      if grep -HnE "^\s*(class|struct|enum class) $type\s*;" "${files[@]}"; then
        echo "^ ${layers[i]} declares $type, a type of $higher, a higher layer"
        status=1
      fi
    done
  done
done
exit $status
