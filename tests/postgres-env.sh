#!/usr/bin/env bash
# start DIR: a PostgreSQL cluster of the test run's own on a free loopback
# port, owned by an unprivileged user (the server refuses root); writes into
# DIR the ODBC connection string the tests read (postgres.conn) and the
# server's process id (postgres.pid). stop DIR: ends that process and
# removes the cluster.
# A developer machine without the server skips the PostgreSQL tests with the
# reason in DIR/postgres.skip; in CI (CI=true) the setup installs it, so
# there the same reason fails the run.
set -euo pipefail
action="$1"
dir="$2"
user=tabrix-pg

as_owner() {
  if ((EUID == 0)); then runuser -u "$user" -- "$@"; else "$@"; fi
}

give_up() {
  echo "postgres-env: $1" >&2
  [ "${CI:-}" = true ] && exit 1
  echo "$1" >"$dir/postgres.skip"
  exit 0
}

case "$action" in
start)
  mkdir -p "$dir"
  "$0" stop "$dir" 2>/dev/null || true
  rm -f "$dir/postgres.skip"
  bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
  [ -x "$bin/initdb" ] || give_up "no PostgreSQL server installed (scripts/setup.sh installs it)"
  grep -q '^\[PostgreSQL ANSI\]' /etc/odbcinst.ini 2>/dev/null ||
    give_up "the PostgreSQL ODBC driver is not registered (scripts/setup.sh installs odbc-postgresql)"
  if ((EUID == 0)); then
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
      give_up "could not create the user $user to run the server"
  else
    user="$(id -un)"
  fi
  # The cluster lives beside the run's other files when its owner can reach
  # them, else in a directory of its own under /tmp.
  if as_owner test -x "$dir"; then
    cluster="$dir/postgres"
    rm -rf "$cluster"
    mkdir -p "$cluster"
  else
    cluster="$(mktemp -d /tmp/tabrix-pg.XXXXXX)"
  fi
  echo "$cluster" >"$dir/postgres.dir"
  ((EUID == 0)) && chown "$user" "$cluster"
  as_owner "$bin/initdb" -D "$cluster/data" -U tabrix -A trust -E UTF8 --locale=C --no-sync \
    >"$dir/postgres-initdb.log" 2>&1 || give_up "initdb failed: $(tail -n 3 "$dir/postgres-initdb.log")"
  # A port found free may be taken before the server binds it: try others.
  for _ in 1 2 3 4 5; do
    port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
    if as_owner "$bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w -t 30 start \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $cluster -c fsync=off -c full_page_writes=off" >/dev/null; then
      head -n 1 "$cluster/data/postmaster.pid" >"$dir/postgres.pid"
      echo "DRIVER={PostgreSQL ANSI};Server=127.0.0.1;Port=$port;Database=postgres;Uid=tabrix;Pwd=;" \
        >"$dir/postgres.conn"
      exit 0
    fi
  done
  give_up "the server did not start: $(tail -n 3 "$cluster/server.log" 2>/dev/null)"
  ;;
stop)
  # One test stops the server on purpose, so it may be gone already. The
  # cluster is thrown away: an immediate shutdown (QUIT) skips its checkpoint.
  if [ -f "$dir/postgres.pid" ]; then
    pid="$(cat "$dir/postgres.pid")"
    kill -QUIT "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
  fi
  [ -f "$dir/postgres.dir" ] && rm -rf "$(cat "$dir/postgres.dir")"
  rm -f "$dir/postgres.pid" "$dir/postgres.conn" "$dir/postgres.dir"
  ;;
esac
