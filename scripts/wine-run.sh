#!/usr/bin/env bash
# Runs a Windows program under Wine in the environment that wine-env.sh started:
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
state=${1:?state folder}
shift
if [ ! -f "$state/env" ]; then
  echo "No Wine environment in $state; start it with scripts/wine-env.sh start $state" >&2
  exit 1
fi
# shellcheck disable=SC1091
. "$state/env"
exec wine "$@"
