#!/bin/sh
# Runs a command inside a small virtual machine (qemu-system-x86_64) whose
# kernel runs 32-bit programs natively, for machines whose own kernel
# cannot (32-bit Wine needs that).  The machine sees this one's files: the
# root read-only, and the project folder writable at the same path, so the
# command finds the build, the compilers' output and Wine where they are.
#   tools/vm-run.sh [--copy DIR]... COMMAND...   exit status: the command's
# --copy DIR (inside the project) is copied into the machine's memory and
# used from there: Wine reads program sections with one pread each, which
# the shared folder cuts short for sections larger than its message size.
# Needs qemu-system-x86, a Debian kernel (linux-image-amd64) and
# busybox-static (tools/install-deps.sh installs them where needed).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
kernel=$(ls /boot/vmlinuz-* 2>/dev/null | sort -V | tail -1)
[ -n "$kernel" ] || { echo "vm-run.sh: no kernel in /boot" >&2; exit 127; }
version=${kernel#/boot/vmlinuz-}
command -v qemu-system-x86_64 >/dev/null || { echo "vm-run.sh: qemu-system-x86_64 missing" >&2; exit 127; }
[ -x /usr/bin/busybox ] || { echo "vm-run.sh: busybox missing" >&2; exit 127; }

copies=""
disk=""
disk_at=""
while :; do
  case "${1:-}" in
    --copy) copies="$copies $(cd "$2" && pwd)"; shift 2 ;;
    --disk) disk=$2; disk_at=$3; shift 3 ;;
    *) break ;;
  esac
done

work=$root/build/vm
mkdir -p "$work/initrd/bin" "$work/initrd/modules"
status_file=$work/status
rm -f "$status_file"

# The modules for the shared folders, in the order they depend on each other.
modules="virtio_ring virtio virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci 9pnet 9pnet_virtio netfs fscache 9p crc16 mbcache jbd2 crc32c_generic ext4 virtio_blk"
for m in $modules; do
  file=$(find "/lib/modules/$version" -name "$m.ko*" | head -1)
  [ -n "$file" ] || { echo "vm-run.sh: module $m missing" >&2; exit 127; }
  case $file in
    *.xz) xz -dc "$file" > "$work/initrd/modules/$m.ko" ;;
    *.zst) zstd -dcq "$file" > "$work/initrd/modules/$m.ko" ;;
    *) cp "$file" "$work/initrd/modules/$m.ko" ;;
  esac
done
cp /usr/bin/busybox "$work/initrd/bin/busybox"

# The command, run as root in the project folder with the environment the
# tests need; its status goes to a file of the shared folder.
{
  echo "#!/bin/sh"
  echo "export HOME=/root PATH=$PATH XDG_CACHE_HOME=/tmp/cache LANG=C.UTF-8"
  echo "cd '$PWD'"
  printf '%s' "\"\$@\""
  echo ""
} > "$work/command.sh"
printf '%s\n' "$@" > "$work/args"

cat > "$work/initrd/init" <<INIT
#!/bin/busybox sh
/bin/busybox --install -s /bin
mkdir -p /proc /sys /dev /mnt
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
for m in virtio_ring virtio virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci 9pnet 9pnet_virtio netfs fscache 9p; do insmod /modules/\$m.ko || echo "vm: insmod \$m failed"; done
mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=512000,cache=loose hostroot /mnt || { echo "vm: no root"; poweroff -f; }
for d in tmp run var/tmp root; do mount -t tmpfs tmpfs /mnt/\$d; done
mount -t proc proc /mnt/proc
mount -t sysfs sys /mnt/sys
mount -t devtmpfs dev /mnt/dev
mkdir -p /mnt/dev/shm /mnt/dev/pts
mount -t tmpfs tmpfs /mnt/dev/shm
mount -t devpts devpts /mnt/dev/pts
mkdir -p "/mnt$root"
mount -t 9p -o trans=virtio,version=9p2000.L,rw,msize=512000,cache=mmap project "/mnt$root" || { echo "vm: no project folder"; poweroff -f; }
if [ -n "$disk_at" ]; then
  for m in crc16 mbcache jbd2 crc32c_generic ext4 virtio_blk; do insmod /modules/\$m.ko 2>/dev/null; done
  mkdir -p "/mnt$disk_at" && mount -t ext4 /dev/vda "/mnt$disk_at" || echo "vm: no disk"
fi
for d in $copies; do
  mkdir -p "/mnt/tmp/vm-copy\$d" && cp -a "/mnt\$d/." "/mnt/tmp/vm-copy\$d/" && mount --bind "/mnt/tmp/vm-copy\$d" "/mnt\$d"
done
chroot /mnt /bin/sh -c 'set --; while IFS= read -r a; do set -- "\$@" "\$a"; done < "$work/args"; sh "$work/command.sh" "\$@"; echo \$? > "$status_file"'
poweroff -f
INIT
chmod +x "$work/initrd/init"
(cd "$work/initrd" && find . | cpio -o -H newc 2>/dev/null | gzip > "$work/initrd.gz")

drive=""
[ -n "$disk" ] && drive="-drive file=$disk,format=raw,if=virtio,cache=unsafe"
qemu-system-x86_64 -m 3072 $drive -smp 2 -nographic -no-reboot -monitor none \
  -kernel "$kernel" -initrd "$work/initrd.gz" \
  -append "console=ttyS0 quiet panic=-1" \
  -fsdev local,id=hostroot,path=/,security_model=none,readonly=on,multidevs=remap \
  -device virtio-9p-pci,fsdev=hostroot,mount_tag=hostroot \
  -fsdev local,id=project,path="$root",security_model=none \
  -device virtio-9p-pci,fsdev=project,mount_tag=project </dev/null

[ -f "$status_file" ] || { echo "vm-run.sh: the machine stopped before the command ended" >&2; exit 125; }
exit "$(cat "$status_file")"
