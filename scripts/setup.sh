#!/bin/sh
# Installs what a fresh Debian machine lacks (as root, with apt-get), then
# configures and builds vornc into build/.
set -e
cd "$(dirname "$0")/.."

packages="g++ cmake make flex bison libxml2-dev libxslt1-dev zlib1g-dev libgtest-dev
          python3 libxml2-utils mono-mcs time clang libclang-rt-14-dev python3-mypy
          texlive-latex-base texlive-latex-recommended texlive-fonts-recommended texlive-lang-german nodejs
          ninja-build mandoc"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: please install:$missing" >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
