#!/bin/sh
# Installs what the builds and tests need on a Debian machine (run as root;
# idempotent): the 32-bit multilib compiler, MinGW-w64 for Windows, Wine,
# Xvfb, the Polish locale, clang with libFuzzer, valgrind, gcovr (make
# coverage), python3-markdown (the HTML guide).
# Where the kernel cannot run 32-bit programs itself, 32-bit Linux programs
# are run through qemu-user instead.
# Prints what it could not do and goes on: a missing piece makes its test
# stage print SKIPPED, it does not stop the others.
set -u
export DEBIAN_FRONTEND=noninteractive
log() { echo "install-deps: $*" >&2; }

if [ "$(id -u)" != 0 ]; then
  log "not root: nothing installed"
  exit 0
fi

have() { command -v "$1" >/dev/null 2>&1; }
apt_install() {
  apt-get install -y -q --no-install-recommends "$@" >/dev/null 2>&1 && return 0
  apt-get update -q >/dev/null 2>&1
  apt-get install -y -q --no-install-recommends "$@" >/dev/null 2>&1
}

packages=""
[ -e /usr/lib/gcc/x86_64-linux-gnu/12/32/libstdc++.so ] || packages="$packages g++-multilib"
have i686-w64-mingw32-g++-posix || packages="$packages g++-mingw-w64-i686"
have x86_64-w64-mingw32-g++-posix || packages="$packages g++-mingw-w64-x86-64"
[ -x /usr/lib/wine/wine64 ] || packages="$packages wine64"
have Xvfb || packages="$packages xvfb xauth x11-apps imagemagick"
have xdotool || packages="$packages xdotool"
have tmux || packages="$packages tmux"
have locale-gen || packages="$packages locales"
have clang++ || packages="$packages clang"
ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
  packages="$packages libclang-rt-14-dev"
have valgrind || packages="$packages valgrind"
have gcovr || packages="$packages gcovr"
[ -x /usr/bin/python3 ] && /usr/bin/python3 -c "import markdown" 2>/dev/null ||
  packages="$packages python3-markdown"
if [ -n "$packages" ]; then
  log "installing$packages"
  apt_install $packages || log "could not install some of:$packages"
fi

# A locale with the decimal comma, for the Linux tests, and the same in
# ISO-8859-2, for what vexhost shows in a single-byte character set.
if ! locale -a 2>/dev/null | grep -qi '^pl_PL.utf8$' || ! locale -a 2>/dev/null | grep -qx 'pl_PL'; then
  for entry in 'pl_PL.UTF-8 UTF-8' 'pl_PL ISO-8859-2'; do
    sed -i "s/^# *$entry\$/$entry/" /etc/locale.gen 2>/dev/null
    grep -qx "$entry" /etc/locale.gen 2>/dev/null || echo "$entry" >> /etc/locale.gen
  done
  locale-gen >/dev/null 2>&1 || log "could not generate pl_PL.UTF-8 and pl_PL"
fi

# 32-bit Linux programs: natively when the kernel can, else through qemu.
probe=$(mktemp -d)
printf 'int main(void){return 0;}\n' > "$probe/p.c"
if gcc -m32 "$probe/p.c" -o "$probe/p" 2>/dev/null && ! "$probe/p" 2>/dev/null; then
  log "this kernel does not run 32-bit programs; registering qemu-user for them"
  have qemu-i386-static || apt_install qemu-user-static || log "could not install qemu-user-static"
  [ -e /proc/sys/fs/binfmt_misc/register ] ||
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null
  if [ -w /proc/sys/fs/binfmt_misc/register ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      > /proc/sys/fs/binfmt_misc/register || log "could not register qemu-i386"
  fi
  "$probe/p" 2>/dev/null || log "32-bit programs still do not run"
fi
rm -rf "$probe"

# 32-bit Wine.  It does not start under qemu-user: where this kernel cannot
# run 32-bit programs, it runs in a virtual machine (tools/vm-run.sh), which
# needs qemu, a kernel and busybox.
if ! dpkg -s wine32:i386 >/dev/null 2>&1; then
  bash "$(dirname "$0")/install-wine32.sh" || log "32-bit Wine could not be installed"
fi
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  vm_packages=""
  have qemu-system-x86_64 || vm_packages="$vm_packages qemu-system-x86"
  ls /boot/vmlinuz-* >/dev/null 2>&1 || vm_packages="$vm_packages linux-image-amd64"
  [ -x /usr/bin/busybox ] || vm_packages="$vm_packages busybox-static"
  have mkfs.ext4 || vm_packages="$vm_packages e2fsprogs"
  if [ -n "$vm_packages" ]; then
    log "installing$vm_packages (a virtual machine for 32-bit Wine)"
    apt_install $vm_packages || log "could not install some of:$vm_packages"
  fi
fi
exit 0
