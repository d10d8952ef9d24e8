#!/bin/bash
# Runs a command in the test machine: an emulated 64-bit PC (TCG, so it needs
# no help from this kernel) whose kernel starts 32-bit programs. The source
# tree and BUILD_DIR appear there at the same paths, shared with 9p; the Wine
# prefixes made in the image appear as BUILD_DIR/wine, on the machine's own
# disk, which is thrown away afterwards. The command runs in the current
# folder under xvfb-run; its output streams here and its exit code is ours.
#   run.sh BUILD_DIR COMMAND [ARGUMENTS...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
shift
image=${BRIGHTLARK_VM_IMAGE:-$("$here/make-image.sh")}
limit=${BRIGHTLARK_VM_TIMEOUT:-2700}
job=$(mktemp -d)
trap 'rm -rf "$job"' EXIT
share="mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144"
cat >"$job/run" <<EOF
set -e
mkdir -p $(printf %q "$src") $(printf %q "$build")
$share src $(printf %q "$src") && $share build $(printf %q "$build")
mkdir -p /var/lib/testbed/wine $(printf %q "$build/wine")
mount --bind /var/lib/testbed/wine $(printf %q "$build/wine")
cd $(printf %q "$PWD") 2>/dev/null || cd /
exec xvfb-run -a -s "-screen 0 1024x768x24" $(printf '%q ' "$@")
EOF

# The emulated processor is qemu's default: with -cpu max, 32-bit Wine's
# returns from the kernel fault.
status=0
timeout "$limit" qemu-system-x86_64 -accel tcg -smp 2 -m 4096 -no-reboot -display none -monitor none -serial stdio \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 panic=1 quiet loglevel=3 init=/sbin/testbed-init" \
    -drive "file=$image/root.img,format=raw,if=virtio,cache=unsafe,snapshot=${BRIGHTLARK_VM_SNAPSHOT:-on}" \
    -virtfs "local,path=$job,mount_tag=job,security_model=none" \
    -virtfs "local,path=$src,mount_tag=src,security_model=none" \
    -virtfs "local,path=$build,mount_tag=build,security_model=none" </dev/null || status=$?
if [ ! -f "$job/rc" ]; then
    [ $status = 124 ] && why="its time limit of $limit s passed" || why="the emulator ended with $status"
    echo "test machine: stopped without a result ($why)" >&2
    exit 1
fi
exit "$(cat "$job/rc")"
