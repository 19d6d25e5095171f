#!/usr/bin/env bash
# Installs the Debian packages a job needs, and only those that are missing.
#   scripts/bootstrap.sh demo   building the plug-in and quorlin, rendering the demo
#   scripts/bootstrap.sh        everything make test needs: tests, benchmarks, sanitizers and
#                               fuzzing, real hosts, the Windows build under Wine, packaging
set -euo pipefail

packages=(
    cmake ninja-build g++ make bison pkg-config
    libsndfile1-dev libcli11-dev nlohmann-json3-dev
    libcairo2-dev libpango1.0-dev libx11-dev fonts-dejavu-core
)
if [ "${1:-test}" != demo ]; then
    packages+=(
        googletest libgtest-dev libgmock-dev libbenchmark-dev
        ladspa-sdk swh-plugins
        clang libclang-rt-14-dev
        lsp-plugins-vst
        qtractor ardour gdb
        g++-mingw-w64-x86-64-posix wine wine64
        dpkg-dev lintian
        fonts-wqy-microhei
        xvfb xauth xdotool
    )
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
