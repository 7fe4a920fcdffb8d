#!/bin/sh
# Installs what is missing, builds, and starts the game from its data folder.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
cd build/run
exec ../lornhaven
