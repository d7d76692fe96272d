#!/usr/bin/env bash
# Makes sure this machine runs 32-bit x86 programs, which the 32-bit build's
# tests are. Some virtual machines run a 64-bit kernel that refuses them
# ("Exec format error"); there the kernel is told to hand them to QEMU's user
# emulator (binfmt_misc), so the 32-bit tests run unchanged, only slower.
set -euo pipefail

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
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
  $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
  # ELF, 32-bit, little-endian, executable or shared object, machine i386; the
  # F flag opens the emulator now, so that it serves every mount namespace.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":qemu-i386:M::$magic:$mask:$(command -v qemu-i386):F" | $sudo tee "$binfmt/register" >/dev/null
fi
if ! "$probe_dir/probe"; then
  echo "enable-32bit-exec.sh: 32-bit programs still do not run" >&2
  exit 1
fi
