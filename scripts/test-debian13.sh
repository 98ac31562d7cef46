#!/usr/bin/env bash
# Builds and runs the whole Linux test suite (the ci preset) on Debian 13,
# whatever this machine runs: in a clean clone of HEAD inside a pristine
# Debian 13 root. debootstrap makes that root once, from the Debian mirror
# this machine's apt already uses, and it is kept as a tarball outside the
# repository, in ${KOPPELO_ROOT_CACHE:-/var/cache/koppelo}; each run unpacks
# a copy of its own and removes it after. Then the web page's build and
# tests (scripts/test-web.sh) there, and if build/windows/Koppelo.exe
# is here, it runs tests/windows/uia_client_test.py and uia_judge.py on it
# in that root.
# Needs root, for debootstrap, mount and chroot.
# Usage: test-debian13.sh
set -euo pipefail
cd "$(dirname "$0")/.."
suite=trixie
name=test-debian13.sh

if [[ $(id -u) -ne 0 ]]; then
  echo "$name: needs root (it runs debootstrap, mount and chroot); run it as root, for example with sudo" >&2
  exit 2
fi

cache=${KOPPELO_ROOT_CACHE:-/var/cache/koppelo}
tarball=$cache/debian13-root.tar

# The Debian archive among apt's sources, not its security archive or another vendor's.
debian_mirror() {
  apt-cache policy | awk '$NF == "Packages" && $2 ~ "://" { url = $2 }
    $1 == "release" && /o=Debian,/ && /l=Debian,/ { print url; exit }'
}

make_root() {
  local mirror base=$cache/debian13-root.new
  mirror=$(debian_mirror)
  [[ -n $mirror ]] || { echo "$name: apt knows no Debian mirror here (is its package list fetched?)" >&2; exit 1; }
  command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap >/dev/null
  echo "$name: making a pristine Debian 13 root from $mirror (once) into $tarball"
  mkdir -p "$cache"
  rm -rf "$base"
  debootstrap --variant=minbase --include=ca-certificates "$suite" "$base" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
    { tail -n 20 "$cache/debootstrap.log" >&2; exit 1; }
  tar -C "$base" -cf "$tarball.new" . && mv "$tarball.new" "$tarball"
  rm -rf "$base"
}

[[ -s $tarball ]] || make_root

root=$(mktemp -d /var/tmp/koppelo-debian13.XXXXXX)
mounts=(proc sys dev dev/pts dev/shm)
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "$root/${mounts[i]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
tar -C "$root" -xf "$tarball"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# What this machine trusts beyond Debian's authorities, for a network that
# inspects TLS on its way to the npm registry (the web page's tests).
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
  mkdir -p "$root/usr/local/share/ca-certificates"
  cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
fi
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs shm "$root/dev/shm"
git clone -q "$PWD" "$root/root/koppelo"

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 bash -c "cd /root/koppelo && $1" </dev/null
}

status=0
echo "$name: the ci preset's build and tests at $(git rev-parse --short HEAD) on $(cat "$root/etc/debian_version")"
in_root 'bash scripts/install-deps.sh ci && jobs=$(nproc) &&
  cmake --preset ci && cmake --build --preset ci -j "$jobs" && ctest --preset ci -j "$jobs"' || status=$?

in_root 'update-ca-certificates >/dev/null && bash scripts/test-web.sh' || status=$?

# Koppelo.exe as a UI Automation client finds it, under Debian 13's Wine 10
# (Debian 12's Wine 8 has no client side), and the judge at the boundary.
if [[ -f build/windows/Koppelo.exe ]]; then
  started=$SECONDS
  cp build/windows/Koppelo.exe "$root/root/Koppelo.exe"
  in_root 'bash scripts/install-deps.sh windows && python3 tests/windows/uia_client_test.py /root/Koppelo.exe &&
    python3 tests/windows/uia_judge.py /root/Koppelo.exe' || status=$?
  echo "$name: the UI Automation client test and judge took $((SECONDS - started)) s, their packages included"
else
  echo "$name: no build/windows/Koppelo.exe here, so no UI Automation client test"
fi
exit "$status"
