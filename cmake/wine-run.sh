#!/usr/bin/env bash
# Runs a Windows executable under Wine with the project's private prefix.
set -e
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
