#!/usr/bin/env bash
# Runs a Windows program in the test environment made by env.sh: wine-run.sh DIR PROGRAM ARGS...
set -euo pipefail
dir=$1
shift
# shellcheck disable=SC1091
source "$dir/env"
exec wine "$@"
