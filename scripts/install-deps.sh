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

# Runs a command as root: directly, or through sudo.
as_root() {
  if [[ $(id -u) -eq 0 ]]; then
    "$@"
    return
  fi
  if ! command -v sudo >/dev/null; then
    echo "install-deps: not root and no sudo; run as root: $*" >&2
    exit 1
  fi
  sudo "$@"
}

apt_install() {
  echo "install-deps: installing $*"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"
}

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages present"
else
  apt_install "${missing[@]}"
fi

# Chromium's driver reaches the browser it starts by the name localhost; a
# bare system (a fresh chroot) may have no /etc/hosts to give it.
if ! getent hosts localhost >/dev/null; then
  echo "install-deps: the name localhost does not resolve; adding it to /etc/hosts"
  as_root sh -c 'printf "127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n" >>/etc/hosts'
fi
