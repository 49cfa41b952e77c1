#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, only those missing.
set -euo pipefail
PKGS=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools libqt6network6 libgl-dev
      libzip-dev zlib1g-dev libpugixml-dev
      fonts-nanum fonts-nanum-coding fonts-crosextra-carlito qt6-translations-l10n
      python3 python3-openpyxl python3-pil openssl
      libxlsxwriter-dev libreoffice-calc-nogui poppler-utils
      clang libclang-rt-14-dev ccache
      locales)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The comma-decimal locale that the number-formatting tests run under.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
