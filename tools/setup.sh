#!/usr/bin/env bash
# Sets up a Debian 12 machine for the configurator and builds it.
#   tools/setup.sh run    install what is missing, build, start the configurator
#   tools/setup.sh test   install what is missing, build, run the whole test suite
# Optional environment: BUILD_DIR (default build), CMAKE_ARGS (extra configure arguments).
set -euo pipefail

mode=${1:-}
if [[ "$mode" != run && "$mode" != test ]]; then
    echo "usage: $0 run|test" >&2
    exit 1
fi

cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}

# The last line is for the Debian package and its check (tools/check-package.sh): CPack's dependency
# computation (dpkg-shlibdeps, file) and the checkers.
packages=(cmake ninja-build g++ qtbase5-dev qtbase5-dev-tools qttranslations5-l10n
          tango-icon-theme libgtest-dev xvfb xauth fonts-dejavu-core python3
          dpkg-dev file lintian desktop-file-utils appstream)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

werror=OFF
[[ -n "${CI:-}" ]] && werror=ON
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja -DZELMAR_WERROR=$werror ${CMAKE_ARGS:-}
cmake --build "$build_dir"

if [[ "$mode" == run ]]; then
    exec "$build_dir/bin/zelmar-configurator"
fi
ctest --test-dir "$build_dir" --output-on-failure -j2
