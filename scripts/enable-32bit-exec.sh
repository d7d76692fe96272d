#!/usr/bin/env bash
# Makes sure this machine runs 32-bit x86 programs, which the 32-bit build's
# tests are. Some virtual machines run a 64-bit kernel that refuses them
# ("Exec format error"); there the kernel is told to hand them to QEMU's user
# emulator (binfmt_misc), so the 32-bit tests run unchanged, only slower.
set -euo pipefail

binfmt=/proc/sys/fs/binfmt_misc
entry="$binfmt/varnex-i386"
# LeakSanitizer cannot stop an emulated program's threads to look at its
# memory (it needs ptrace, which the emulator does not offer) and would wait
# for ever, so the emulator runs 32-bit programs with leak checks off; the
# 64-bit sanitizer build checks for leaks.
emulator=/usr/local/libexec/varnex-qemu-i386

probe_dir="$(mktemp -d)"
trap 'rm -rf "$probe_dir"' EXIT
printf 'int main(void) { return 0; }\n' > "$probe_dir/probe.c"
gcc -m32 "$probe_dir/probe.c" -o "$probe_dir/probe"
if "$probe_dir/probe" 2>/dev/null; then
  exit 0
fi

echo "enable-32bit-exec.sh: this kernel does not run 32-bit programs; running them through qemu-i386"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v qemu-i386 >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q qemu-user
fi
$sudo mkdir -p "$(dirname "$emulator")"
printf '#!/bin/sh\nASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" exec %s "$@"\n' \
  "$(command -v qemu-i386)" | $sudo tee "$emulator" >/dev/null
$sudo chmod 755 "$emulator"
if [ ! -e "$binfmt/register" ]; then
  $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
fi
if [ ! -e "$entry" ]; then
  # ELF, 32-bit, little-endian, an executable or a shared object, for i386.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":$(basename "$entry"):M::$magic:$mask:$emulator:" | $sudo tee "$binfmt/register" >/dev/null
fi
if ! "$probe_dir/probe"; then
  echo "enable-32bit-exec.sh: 32-bit programs still do not run" >&2
  exit 1
fi
