#!/usr/bin/env bash
# Runs a Windows executable under Wine as this host runs Windows programs (tools/wine).
exec "$(dirname "${BASH_SOURCE[0]}")/../tools/wine" run "$@"
