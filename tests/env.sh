#!/usr/bin/env bash
# The test environment: a throwaway Wine prefix, its own Xvfb display, a persistent
# wineserver for the run, and the drive letters the tests use.
#
#   env.sh setup DIR BIN    creates it in DIR (removed first); BIN is the folder of the test programs
#   env.sh teardown DIR     stops the server and the display and removes the mounts
#
# Drives of the prefix:
#   C:  the prefix's own drive; the tests make their folders under C:\lumbra-tests
#   E:  DIR/disc-e, a writable folder standing for a disc (the tests fill it)
#   F:  DIR/disc-f, a second one
#   N:  a link to a folder that does not exist: a drive without a disc
#   Q:  no link at all: a drive letter that is not there
#   S:  DIR/ro-src, writable; R: the same folder through a read-only bind mount
#   T:  a tiny tmpfs, for a full disk
#   G:  a link to a file instead of a folder
# R: and T: need mount privileges; without them LUMBRA_TEST_NO_MOUNTS says why and the
# tests that need them skip with that reason.
set -euo pipefail

cmd=${1:?setup or teardown}
dir=${2:?folder}

teardown() {
    [ -f "$dir/env" ] || return 0
    # shellcheck disable=SC1091
    source "$dir/env"
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; fi
    for m in "$dir/ro-view" "$dir/full"; do
        if mountpoint -q "$m" 2>/dev/null; then umount "$m" 2>/dev/null || umount -l "$m" || true; fi
    done
}

if [ "$cmd" = teardown ]; then
    teardown
    exit 0
fi

bin=${3:?folder of the test programs}
teardown || true
rm -rf "$dir"
mkdir -p "$dir"/{disc-e,disc-f,ro-src,ro-view,full,shots}

# A display of our own, so that keys, focus and screenshots don't depend on the user's.
display=""
for n in $(seq 91 130); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 </dev/null &
echo $! >"$dir/xvfb.pid"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

no_mounts=""
if ! mount --bind "$dir/ro-src" "$dir/ro-view" 2>"$dir/mount.log" ||
   ! mount -o remount,bind,ro "$dir/ro-view" 2>>"$dir/mount.log"; then
    no_mounts="no read-only bind mount here: $(head -c 200 "$dir/mount.log" | tr '\n' ' ')"
fi
if [ -z "$no_mounts" ] && ! mount -t tmpfs -o size=2m tmpfs "$dir/full" 2>>"$dir/mount.log"; then
    no_mounts="no tmpfs mount here: $(head -c 200 "$dir/mount.log" | tr '\n' ' ')"
fi

cat >"$dir/env" <<ENV
export WINEPREFIX="$dir/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export DISPLAY="$display"
export LUMBRA_TEST_ENV="$dir"
export LUMBRA_TEST_NO_MOUNTS="$no_mounts"
ENV
# shellcheck disable=SC1091
source "$dir/env"

# Nothing started here may keep this script's output open: the caller waits for its end.
wineboot -i >"$dir/wineboot.log" 2>&1 </dev/null
wineserver -w
wineserver -p >/dev/null 2>&1 </dev/null # persistent for the run: each Wine start stays quick
# Xvfb runs no window manager: tell Wine so, or it waits two seconds for one each time
# a window it thinks is managed is hidden.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$dir/reg.log" 2>&1 </dev/null
wine "$bin/warmup.exe" >"$dir/warmup.log" 2>&1 </dev/null

dosdevices="$WINEPREFIX/dosdevices"
ln -sfn "$dir/disc-e" "$dosdevices/e:"
ln -sfn "$dir/disc-f" "$dosdevices/f:"
ln -sfn "$dir/no-such-folder" "$dosdevices/n:"
rm -f "$dosdevices/q:"
ln -sfn "$dir/ro-src" "$dosdevices/s:"
ln -sfn "$dir/ro-view" "$dosdevices/r:"
ln -sfn "$dir/full" "$dosdevices/t:"
echo "not a folder" >"$dir/drive-file"
ln -sfn "$dir/drive-file" "$dosdevices/g:"
ln -sfn "$bin" "$dosdevices/b:" # the built programs

echo "test environment ready in $dir (display $display${no_mounts:+; $no_mounts})"
