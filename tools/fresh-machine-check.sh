#!/usr/bin/env bash
# Proves the README's two commands on a bare Debian 12 system, as a new user would meet them:
# makes a fresh root with mmdebstrap (the apt variant: apt and little else), clones the
# repository's committed HEAD into it, runs ./build-and-test.sh there, then ./build-and-run.sh
# under a virtual X server until the window appears, and takes a screenshot of it.
#
#   tools/fresh-machine-check.sh [--keep] [--out DIR] [--commit REV]
#
# The root takes the host's own apt sources and apt options, so that no script names a mirror.
# It takes 25 to 35 minutes on a 2-core machine; it is not part of the test command. The last
# line it prints is the result, with the time of each command. --keep leaves the root on disk;
# --out names the folder for the screenshot and the logs (default build/fresh-machine); --commit
# checks out another committed revision than HEAD (to measure an earlier state, say).
set -euo pipefail

repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
out=$repo/build/fresh-machine
keep=no
commit=HEAD
while [ $# -gt 0 ]; do
    case $1 in
    --keep) keep=yes ;;
    --out) out=$2; shift ;;
    --commit) commit=$2; shift ;;
    *) echo "usage: $0 [--keep] [--out DIR] [--commit REV]" >&2; exit 2 ;;
    esac
    shift
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

window_title="Simulation Tool for extracting the locality degree"
run_bound=900 # seconds for ./build-and-run.sh to show the window (its build is incremental)

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-machine-check: must run as root (it makes a root file system and chroots)" >&2
    exit 2
fi
if ! command -v mmdebstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
fi

root=$(mktemp -d "${TMPDIR:-/var/tmp}/zemlo-fresh.XXXXXX")
mounted=()

# Every process whose root is the new one (package scripts may start daemons there, the window
# and its X server run there), then every mount in reverse order.
cleanup() {
    local pid
    for pid in /proc/[0-9]*; do
        [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "${pid#/proc/}" 2>/dev/null
    done
    sleep 1
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" 2>/dev/null || true
    done
    if [ "$keep" = no ]; then
        rm -rf --one-file-system "$root"
    else
        echo "fresh-machine-check: the root stays at $root"
    fi
}
trap cleanup EXIT

elapsed() {
    printf '%dm%02ds' $(($1 / 60)) $(($1 % 60))
}

# The host's sources, in whichever form it keeps them, and its apt options.
host_sources() {
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        cat "$f"
        echo
    done
}
aptopts=()
for f in /etc/apt/apt.conf.d/*; do
    [ -f "$f" ] && aptopts+=("--aptopt=$f")
done

echo "== making a bare Debian 12 root in $root"
host_sources | mmdebstrap --quiet --variant=apt "${aptopts[@]}" bookworm "$root" - \
    >"$out/mmdebstrap.log" 2>&1
cp /etc/resolv.conf "$root/etc/resolv.conf"

for fs in proc sys dev dev/pts; do
    mount --bind "/$fs" "$root/$fs"
    mounted+=("$root/$fs")
done

echo "== cloning $commit of $repo"
git clone --quiet --no-hardlinks "$repo" "$root/root/zemlo"
git -C "$root/root/zemlo" checkout --quiet --detach "$(git -C "$repo" rev-parse "$commit")"
commit=$(git -C "$root/root/zemlo" rev-parse --short HEAD)

in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$1"
}

echo "== ./build-and-test.sh (log: $out/build-and-test.log)"
start=$SECONDS
test_status=0
in_root 'cd /root/zemlo && ./build-and-test.sh' >"$out/build-and-test.log" 2>&1 || test_status=$?
test_time=$((SECONDS - start))
tail -n 3 "$out/build-and-test.log"

# The window: ./build-and-run.sh under a virtual X server, waited for by its title.
echo "== ./build-and-run.sh under Xvfb (log: $out/build-and-run.log)"
start=$SECONDS
run_status=0
if [ $test_status -eq 0 ]; then
    in_root "cd /root/zemlo && xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
        ./build-and-run.sh & app=\$!
        found=1
        if timeout $run_bound xdotool search --sync --name \"$window_title\" >/dev/null; then
            found=0
            sleep 2
            import -window root /root/window.png
        fi
        kill \$app 2>/dev/null; wait \$app 2>/dev/null
        exit \$found'" >"$out/build-and-run.log" 2>&1 || run_status=$?
    [ -f "$root/root/window.png" ] && cp "$root/root/window.png" "$out/window.png"
else
    run_status=1
fi
run_time=$((SECONDS - start))

result="FAILED"
[ $test_status -eq 0 ] && [ $run_status -eq 0 ] && result="PASSED"
test_word=$([ $test_status -eq 0 ] && echo passed || echo "failed ($test_status)")
run_word=$([ $run_status -eq 0 ] && echo "window appeared, screenshot $out/window.png" ||
    echo "no window ($run_status)")
echo "fresh-machine-check: $result on bare Debian 12 at $commit: ./build-and-test.sh $test_word" \
    "in $(elapsed $test_time), ./build-and-run.sh $run_word in $(elapsed $run_time)"
[ "$result" = PASSED ]
