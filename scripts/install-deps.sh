#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
set -euo pipefail

# g++-multilib compiles and links the 32-bit build (-m32), with the 32-bit
# sanitizer libraries; googletest provides the sources the 32-bit build
# compiles GoogleTest from (libgtest-dev's libraries are 64-bit).
packages=(cmake ninja-build g++ g++-multilib libgtest-dev libgmock-dev googletest)
# Google Benchmark (64-bit only in Debian) and python3 for the benchmarks' table.
packages+=(libbenchmark-dev python3)
# The fuzz build: clang with its sanitizer and libFuzzer runtimes, and
# llvm-symbolizer for the sanitizers' reports.
packages+=(clang libclang-rt-dev llvm)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q "${missing[@]}"
fi

for tool in cmake ninja g++ clang clang++ llvm-symbolizer python3; do
  command -v "$tool" >/dev/null 2>&1 || { echo "install-deps.sh: $tool is still missing after the install" >&2; exit 1; }
done
# The benchmarks are built only when CMake finds Google Benchmark's package.
if ! dpkg-query -L libbenchmark-dev 2>/dev/null | grep '/benchmarkConfig\.cmake$' >/dev/null; then
  echo "install-deps.sh: libbenchmark-dev brings no CMake package (benchmarkConfig.cmake)" >&2
  exit 1
fi
# The 32-bit build's tests need a machine that runs 32-bit programs.
"$(dirname "$0")/enable-32bit-exec.sh"
