#!/usr/bin/env bash
# Sets up, builds and makes the Debian package build/mofurin_VERSION_ARCH.deb
# (CPack, from the build folder).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
rm -f build/mofurin_*.deb
(cd build && cpack -G DEB)
