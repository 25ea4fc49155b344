#!/usr/bin/env bash
# Installs what building and testing need, and nothing that is already there.
# Safe to run again and again: with everything present it only checks.
set -euo pipefail

packages=(
  # native build, unit tests, benchmarks
  make cmake g++ libgtest-dev libgmock-dev libbenchmark-dev
  # tkc run's screenshots draw text through FreeType (in fonts-ipafont-gothic, below)
  libfreetype-dev
  # coverage-guided fuzzing (scripts/fuzz.sh): clang and its libFuzzer runtime
  clang libclang-rt-14-dev
  # the Windows program and the end-to-end tests under Wine on a virtual display
  g++-mingw-w64-x86-64 wine wine64
  xvfb xauth xdotool x11-utils x11-apps imagemagick trayer
  # reading the program's manifest back out of tenkoro.exe
  libxml2-utils
  libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1
  # without these Wine draws Japanese text as empty boxes; tkc run draws with the Gothic
  fonts-wine fonts-ipafont-gothic
  # tkc preview: its HTTP server and JSON
  libcpp-httplib-dev nlohmann-json3-dev pkg-config
  # the preview's browser test: Chromium, driven through its WebDriver from Python
  chromium chromium-driver python3 python3-selenium
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$p")
done

apt_install() {
  echo "install-deps: installing $*"
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
      echo "install-deps: not root and no sudo; install as root: $*" >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"
}

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages present"
else
  apt_install "${missing[@]}"
fi
