# Shared set-up for the project's commands: installs the Debian packages that are missing.
# Sourced, not run.

VANTREL_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libpcre2-dev
  libpng-dev zlib1g-dev libjpeg-dev libtiff-dev libgif-dev
  libgtest-dev libgmock-dev libbenchmark-dev libzxing-dev
  fonts-wqy-microhei xvfb xauth
)

vantrel_install() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

vantrel_root() {
  cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd
}
