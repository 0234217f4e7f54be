#!/usr/bin/env bash
# Installs what is missing, builds Lumet and makes the Debian package
# build/lumet_VERSION_amd64.deb, to be installed with apt.
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build build
cd build
cpack -G DEB
