#!/usr/bin/env bash
# Prepares the demo working folder that `make run` opens the editor in.
set -euo pipefail
mkdir -p "$1"
