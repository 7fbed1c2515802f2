# Installs the Debian packages given as arguments that are not installed yet.
ensure_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  # A package of another architecture (wine32:i386) needs that architecture known to dpkg first.
  for package in "${missing[@]}"; do
    case $package in
      *:*) dpkg --print-foreign-architectures | grep -qx "${package#*:}" ||
             "${sudo[@]}" dpkg --add-architecture "${package#*:}" ;;
    esac
  done
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Whether this machine runs 32-bit programs: a kernel built without 32-bit support refuses wine32's
# loader ("Exec format error"), whatever is installed.
wine32_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Wine in a prefix of our own, quiet, without the installers it would otherwise offer. Our prefix is
# made again when wine32 was installed after it: an older one may not start 32-bit programs.
use_private_wine() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # NOTE: Debian's wine wrapper picks wine32's loader whenever it is installed, also where it cannot
  # run; 64-bit programs then go straight to wine64's loader.
  if ! wine32_runs; then
    local shims="$PWD/build/wine64-only"
    mkdir -p "$shims"
    for name in wine wine-stable; do
      printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/$name"
      chmod +x "$shims/$name"
    done
    case ":$PATH:" in *":$shims:"*) ;; *) export PATH="$shims:$PATH" ;; esac
  fi
  if [ -z "${WINEPREFIX:-}" ]; then
    export WINEPREFIX="$PWD/build/wine"
    local wine32=/var/lib/dpkg/info/wine32.list
    if [ -d "$WINEPREFIX/dosdevices" ] && [ "$wine32" -nt "$WINEPREFIX/dosdevices" ]; then
      wineserver -k >/dev/null 2>&1 || true
      rm -rf "$WINEPREFIX"
    fi
  fi
  [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1
}

MINGW_PACKAGES=(mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix)
BUILD_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev googletest "${MINGW_PACKAGES[@]}"
                wine wine64 wine32:i386)

# What the desktop program needs to build and to run, and what tools/run uses where there is no display.
RUN_PACKAGES=(libfltk1.3-dev libxtst-dev libxft-dev libxrender-dev libxcursor-dev libxfixes-dev libxext-dev
              libxinerama-dev libfontconfig-dev fonts-arphic-uming xvfb x11-utils x11-apps imagemagick)

# What the Debian package is made and checked with: CPack's dependency lookup (dpkg-shlibdeps, file), the
# icons made from the art (ImageMagick), and the validators of its menu entry and AppStream metadata.
PACKAGE_PACKAGES=(dpkg-dev file imagemagick desktop-file-utils appstream)

# What tools/release builds the three programs with, checks the Debian package with (lintian,
# hardening-check from devscripts), zips with, compares two builds with (diffoscope) and signs with.
RELEASE_PACKAGES=(cmake ninja-build g++ git "${MINGW_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
                  "${PACKAGE_PACKAGES[@]}" lintian devscripts python3 diffoscope osslsigncode openssl)

# What the desktop and pixel tests drive the program with; setpriv (util-linux) runs the installed program
# as a normal user, chattr (e2fsprogs) closes a folder to Wine running as root; clang-format checks the
# tree's format.
TEST_PACKAGES=(python3 xdotool xvfb xauth x11-apps x11-utils openbox libxi-dev util-linux e2fsprogs clang-format
               "${PACKAGE_PACKAGES[@]}")
