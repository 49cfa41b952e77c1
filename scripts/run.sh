#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder and starts the program from it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
prog="$PWD/build/program"
mkdir -p "$prog"/{LIB,FORM,PRO,OUT,CI}
if [ ! -f "$prog/ORVA.ini" ]; then
  cat > "$prog/ORVA.ini" <<'INI'
[SYSTEM]
Print=0
Button=0
Path=
PathLib=LIB
PathOut=OUT
PathPro=PRO
PathCI=CI
lastPro=
ServerHost=
INI
fi
cd "$prog"
exec ./sevrin "$@"
