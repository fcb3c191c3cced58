#!/usr/bin/env bash
# with_postgres.sh PROGRAM [ARG...]
# Starts a throw-away PostgreSQL server (a fresh cluster in a temporary folder,
# listening only on a Unix socket in that folder), runs PROGRAM with
# CBO_PG_SOCKET_DIR, CBO_PG_PORT and CBO_PG_USER saying where it is, then stops
# the server and removes the folder, also when the program fails or the run is
# interrupted. Run as root, the server runs as the unprivileged user nobody
# (PostgreSQL refuses to run as root). A server that cannot be started fails
# the run with the reason: the program never passes without having run.
set -euo pipefail

fail() {
  echo "with_postgres: $*" >&2
  exit 1
}

[ $# -ge 1 ] || fail "usage: with_postgres.sh PROGRAM [ARG...]"
bindir=""
for dir in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V); do bindir=$dir; done
[ -n "$bindir" ] && [ -x "$bindir/initdb" ] && [ -x "$bindir/pg_ctl" ] ||
  fail "no PostgreSQL server programs in /usr/lib/postgresql/*/bin (Debian's postgresql package, which scripts/setup installs)"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/cbo-pg-XXXXXX")
port=5432
as_server=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$tmp"
  as_server=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi

program=""
cleanup() {
  local status=$?
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  if [ -f "$tmp/data/postmaster.pid" ]; then
    (cd "$tmp" && "${as_server[@]}" "$bindir/pg_ctl" -D "$tmp/data" -m immediate -w stop >/dev/null 2>&1) || true
  fi
  rm -rf "$tmp"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The server's programs run in its own folder: as nobody, the caller's
# working folder may be out of reach.
cd "$tmp"
if ! "${as_server[@]}" "$bindir/initdb" -D "$tmp/data" -U cbo --auth=trust -E UTF8 --no-locale -N \
  >"$tmp/initdb.log" 2>&1; then
  cat "$tmp/initdb.log" >&2
  fail "initdb could not make a cluster in $tmp/data"
fi
if ! "${as_server[@]}" "$bindir/pg_ctl" -D "$tmp/data" -l "$tmp/server.log" -w -t 60 \
  -o "-k $tmp -p $port -c listen_addresses='' -c fsync=off -c shared_buffers=16MB -c max_connections=10" \
  start >"$tmp/pg_ctl.log" 2>&1; then
  cat "$tmp/pg_ctl.log" "$tmp/server.log" >&2 2>/dev/null || true
  fail "the PostgreSQL server did not start"
fi
cd - >/dev/null

# In the background, so that an interruption reaches the traps at once.
CBO_PG_SOCKET_DIR="$tmp" CBO_PG_PORT="$port" CBO_PG_USER=cbo "$@" &
program=$!
wait "$program"
