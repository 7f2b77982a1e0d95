# Shared by the scripts: installs the Debian packages the build needs, once.
# shellcheck shell=bash

TAVRIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

TAVRIN_PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev libgl-dev qt6-svg-dev
  nlohmann-json3-dev
  fonts-dejavu-core
  poppler-utils
  locales
  clang-tidy cppcheck
)

tavrin_missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$pkg"
    fi
  done
}

# Installs whichever of the given packages is missing; refreshes the package
# lists only when something has to be installed.
tavrin_install_packages() {
  local missing
  mapfile -t missing < <(tavrin_missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
