# Shared by ./run, ./test and ./package: the packages the project needs and
# the builds. Sourced, not run.

KV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KV_JOBS=${KV_JOBS:-$(nproc 2>/dev/null || echo 2)}

# Debian packages, by name. Build: the host and MinGW compilers (the 32-bit
# release with the win32 thread model, see cmake/mingw-i686.cmake), CMake, the
# test and benchmark libraries, zlib. Data: the public-domain KJV module.
# Running and GUI tests: Wine, a virtual X server, fonts, screenshots.
# strace: the note store's tests inject faults into its system calls.
# ghostscript: the printing tests read the printed pages back as text.
# Packages: zip, and for the Debian package of kelvane its dependencies
# (dpkg-dev) and the manual page's check (man-db, groff-base).
# Fuzzing: clang and its runtime libraries, which hold libFuzzer.
KV_PACKAGES=(
  cmake make g++ libc6-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev
  googletest libgtest-dev libbenchmark-dev zlib1g-dev
  sword-text-kjv
  wine64 xvfb fonts-wine fonts-liberation2 imagemagick
  zip dpkg-dev man-db groff-base
  strace
  ghostscript
)

kv_say() { printf '==> %s\n' "$*" >&2; }

# Installs whatever is missing; quick when everything is there.
kv_install_packages() {
  local missing
  # dpkg-query fails when a package is unknown to it: that is the answer, not an error.
  local installed
  installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${KV_PACKAGES[@]}" 2>/dev/null || true)
  missing=$(awk '$2 == "installed" {print $1}' <<<"$installed" | sort |
            comm -13 - <(printf '%s\n' "${KV_PACKAGES[@]}" | sort))
  [ -z "$missing" ] && return 0
  local sudo=
  [ "$(id -u)" = 0 ] || sudo=sudo
  kv_say "installing: $(echo $missing)"
  local log
  log=$(mktemp)
  if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
         $sudo apt-get install -y -qq --no-install-recommends $missing; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    kv_say "installing the packages failed"
    return 1
  fi
  rm -f "$log"
}

# Configures a preset once, then builds it (incrementally).
kv_build() {
  local preset=$1; shift
  local cache="$KV_ROOT/build/$preset/CMakeCache.txt"
  if [ ! -f "$cache" ]; then
    (cd "$KV_ROOT" && cmake --preset "$preset" >/dev/null) || return 1
  elif [ -n "$(find "$KV_ROOT/cmake" -name 'mingw-*.cmake' -newer "$cache")" ]; then
    # CMake keeps the compilers it found in the cache: a changed toolchain
    # file takes effect only in a fresh configuration.
    (cd "$KV_ROOT" && cmake --preset "$preset" --fresh >/dev/null) || return 1
  fi
  (cd "$KV_ROOT" && cmake --build --preset "$preset" -j "$KV_JOBS" "$@")
}
