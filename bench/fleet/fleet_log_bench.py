#!/usr/bin/env python3
"""The fleet's central play log on one machine, in two parts.

Ingest: --devices devices (50) upload week-long backlogs (--rows each, 60 480: one play every
10 s) at once through the broker to "lumora-fleet collect" and a PostgreSQL cluster of its own
(PostgreSQL's defaults, fsync on); rows per second from the start until the last row is
acknowledged, the collector's CPU and peak memory. Target: 20 000 rows/s or more.

Reports: --month-devices devices (100) and 30 days of one play every 10 s (about 26 M rows)
generated straight into the tables, the hourly summary built by the statement ingest uses; then
"lumora-log --fleet summary" per item and per device, each timed against the same summary typed
by hand over the raw rows in psql, and both checked to give the same numbers. Target: under 2 s.

Needs mosquitto and postgresql-15 (initdb runs as nobody when this runs as root).
"""

import argparse
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fleetsite  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")
PG = "/usr/lib/postgresql/15/bin/"


def say(text=""):
    print(text, flush=True)


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def peak_mib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


class Cluster:
    """A private cluster on a Unix socket, as tests/fleet/pgcluster does it."""

    def __init__(self, folder):
        self.folder = os.path.join(folder, "pg")
        self.socket = os.path.join(self.folder, "sock")
        os.makedirs(self.socket)
        self.as_nobody = []
        if os.geteuid() == 0:
            nobody = pwd.getpwnam("nobody")
            path = self.folder
            while path != "/":
                path = os.path.dirname(path)
                os.chmod(path, os.stat(path).st_mode | 0o001)
            for path in (self.folder, self.socket):
                os.chown(path, nobody.pw_uid, nobody.pw_gid)
            self.as_nobody = ["runuser", "-u", "nobody", "--"]

    def run(self, *arguments):
        subprocess.run(self.as_nobody + list(arguments), check=True, cwd=self.folder, stdout=subprocess.DEVNULL)

    def start(self):
        self.run(PG + "initdb", "-D", os.path.join(self.folder, "data"), "-A", "trust", "-U", "lumora", "-E", "UTF8",
                 "--locale=C")
        self.run(PG + "pg_ctl", "-D", os.path.join(self.folder, "data"), "-l", os.path.join(self.folder, "pg.log"),
                 "-w", "-o", "-k %s -c listen_addresses='' -c shared_buffers=512MB -c max_wal_size=4GB" % self.socket,
                 "start")

    def stop(self):
        self.run(PG + "pg_ctl", "-D", os.path.join(self.folder, "data"), "-m", "fast", "-w", "stop")

    def address(self, database):
        return "postgresql://lumora@/%s?host=%s" % (database, self.socket)

    def psql(self, database, sql):
        done = subprocess.run([PG + "psql", "-h", self.socket, "-U", "lumora", "-d", database, "-X", "-q", "-A", "-t",
                               "-v", "ON_ERROR_STOP=1", "-c", sql], capture_output=True, text=True)
        if done.returncode != 0:
            raise RuntimeError("psql: " + done.stderr.strip())
        return done.stdout.strip()


def ingest(args, work, cluster):
    site = fleetsite.Site(work, args.tool)
    site.make()
    site.tool("ca", "collector")
    devices = ["dev-%03d" % i for i in range(args.devices)]
    for device in devices:
        site.enroll(device, os.path.join(work, "devices", device, "setting.ini"))
    broker, content = site.start()
    cluster.psql("postgres", "create database fleet")
    collector = subprocess.Popen([args.tool, "--ca", site.ca, "collect", "--db", cluster.address("fleet")],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        for line in collector.stderr:
            if "connected to the broker" in line:
                break
        publisher = subprocess.Popen([args.publisher, "--port", str(site.broker_port), "--devices",
                                      os.path.join(work, "devices"), "--rows", str(args.rows), "--batch",
                                      str(args.batch), "--limit", "1800"] + devices,
                                     stdout=subprocess.PIPE, text=True)
        began = None
        cpu = 0
        seconds = None
        for line in publisher.stdout:
            say("  " + line.rstrip())
            if line.startswith("publisher: start"):
                began = time.monotonic()
                cpu = cpu_seconds(collector.pid)
                broker_cpu = cpu_seconds(broker.pid)
            elif "acknowledged" in line and began is not None:
                seconds = time.monotonic() - began
        publisher.wait()
        total = args.devices * args.rows
        held = int(cluster.psql("fleet", "select count(*) from play_rows"))
        if seconds is None:
            say("ingest: the publisher did not finish (%d of %d rows held)" % (held, total))
            return False
        say("ingest: %d devices x %d rows (%d) in %.1f s: %.0f rows/s (target >= 20000); %d rows held"
            % (args.devices, args.rows, total, seconds, total / seconds, held))
        say("collector: CPU %.1f s (%.0f %% of one core), peak resident %.1f MiB; broker CPU %.1f s"
            % (cpu_seconds(collector.pid) - cpu, 100.0 * (cpu_seconds(collector.pid) - cpu) / seconds,
               peak_mib(collector.pid), cpu_seconds(broker.pid) - broker_cpu))
        mismatch = cluster.psql("fleet", open(os.path.join(os.path.dirname(__file__), "summary_check.sql")).read())
        say("summary kept at ingest against a GROUP BY over the rows: %s groups differ" % mismatch)
        return held == total and mismatch == "0"
    finally:
        collector.terminate()
        collector.wait()
        site.stop()


# The rows of --month-devices devices, 30 days, one play every 10 s, inserted with the summary
# statement the collector runs on every batch (rows returned by the insert, grouped, upserted).
GENERATE = """
with ins as (
  insert into play_rows (device, log_uuid, seq, name, path, item, start_ms, end_ms, utc_offset_s, local_start,
                         screen, win, bundle, content_hash, outcome, shown, shown_ms)
  select d.device, d.log, s,
         case when s %% 13 = 12 then 'Digital Clock' else 'ad-' || (s %% 13) || '.mp4' end,
         case when s %% 13 = 12 then '' else '/srv/media/ad-' || (s %% 13) || '.mp4' end,
         case when s %% 13 = 12 then 'Digital Clock' else '/srv/media/ad-' || (s %% 13) || '.mp4' end,
         %(base)d + s * 10000, %(base)d + s * 10000 + 9500, d.off,
         timestamp '1970-01-01' + (%(base)d + s * 10000 + d.off * 1000::bigint) * interval '1 millisecond',
         'Screen 1', 'Window 1', 42, '', case when s %% 97 = 0 then 'missing' else 'shown' end,
         s %% 97 <> 0, case when s %% 97 = 0 then 0 else 9500 end
  from (select 'dev-' || lpad(%(index)d::text, 3, '0') as device, gen_random_uuid() as log,
               case when %(index)d %% 2 = 1 then -18000 else 3600 end as off) d,
       generate_series(1::bigint, %(rows)d::bigint) s
  on conflict do nothing
  returning device, local_start, path, item, name, shown, shown_ms)
insert into play_hours as h (device, hour, path, item, name, plays, not_shown, shown_ms, first_start, last_start)
select device, date_trunc('hour', local_start), path, item, min(name), count(*) filter (where shown),
       count(*) filter (where not shown), coalesce(sum(shown_ms) filter (where shown), 0), min(local_start),
       max(local_start)
from ins group by device, date_trunc('hour', local_start), path, item
on conflict (device, hour, path, item) do update set plays = h.plays + excluded.plays,
  not_shown = h.not_shown + excluded.not_shown, shown_ms = h.shown_ms + excluded.shown_ms,
  first_start = least(h.first_start, excluded.first_start), last_start = greatest(h.last_start, excluded.last_start)
"""

# The summaries typed by hand over the raw rows, in the tool's columns.
BY_HAND = {
    "item": "select case when path = '' then item else min(name) end, count(*) filter (where shown), "
            "coalesce(sum(shown_ms) filter (where shown), 0), to_char(min(local_start), 'YYYY-MM-DD HH24:MI:SS:MS'), "
            "to_char(max(local_start), 'YYYY-MM-DD HH24:MI:SS:MS'), count(*) filter (where not shown), path "
            "from play_rows group by path, item "
            "order by case when path = '' then item else min(name) end collate \"C\", path collate \"C\"",
    "device": "select device, count(*) filter (where shown), coalesce(sum(shown_ms) filter (where shown), 0), "
              "to_char(min(local_start), 'YYYY-MM-DD HH24:MI:SS:MS'), "
              "to_char(max(local_start), 'YYYY-MM-DD HH24:MI:SS:MS'), count(*) filter (where not shown) "
              "from play_rows group by device order by device collate \"C\"",
}


def month(args, cluster):
    cluster.psql("postgres", "create database month")
    # The schema as the collector makes it, taken from the ingest run's database.
    schema = subprocess.run([PG + "pg_dump", "-h", cluster.socket, "-U", "lumora", "-s", "fleet"], check=True,
                            capture_output=True, text=True).stdout
    meta = cluster.psql("fleet", "select value from lumora_meta where key = 'schema'")
    subprocess.run([PG + "psql", "-h", cluster.socket, "-U", "lumora", "-d", "month", "-X", "-q", "-v",
                    "ON_ERROR_STOP=1"], input=schema, check=True, text=True, stdout=subprocess.DEVNULL)
    cluster.psql("month", "insert into lumora_meta values ('schema', '%s')" % meta)
    rows = 30 * 24 * 360
    began = time.monotonic()
    for index in range(args.month_devices):
        cluster.psql("month", GENERATE % {"base": 1796083200000, "index": index, "rows": rows})
    cluster.psql("month", "vacuum analyze")
    total = int(cluster.psql("month", "select count(*) from play_rows"))
    hours = int(cluster.psql("month", "select count(*) from play_hours"))
    say("month: %d devices x 30 days = %d rows (%d summary rows) generated in %.0f s"
        % (args.month_devices, total, hours, time.monotonic() - began))
    ok = True
    for by in ("item", "device"):
        began = time.monotonic()
        tool = subprocess.run([args.log_tool, "--fleet", cluster.address("month"), "summary", "--by", by],
                              capture_output=True, text=True, check=True).stdout
        tool_seconds = time.monotonic() - began
        began = time.monotonic()
        hand = subprocess.run([PG + "psql", "-h", cluster.socket, "-U", "lumora", "-d", "month", "-X", "-q", "-A",
                               "-t", "-F", "\t", "-c", BY_HAND[by]], capture_output=True, text=True,
                              check=True).stdout
        hand_seconds = time.monotonic() - began
        tool_rows = [line.split("\t") for line in tool.splitlines()[1:]]
        for row in tool_rows:
            whole, ms = row[2].split(".")
            row[2] = str(int(whole) * 1000 + int(ms))
        hand_rows = [line.split("\t") for line in hand.splitlines()]
        same = tool_rows == hand_rows
        ok = ok and same
        say("summary per %s: lumora-log --fleet %.2f s (target < 2 s), by hand over the raw rows %.2f s; "
            "%d lines, numbers %s" % (by, tool_seconds, hand_seconds, len(tool_rows),
                                      "equal" if same else "DIFFERENT"))
    return ok


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tool", required=True)
    parser.add_argument("--log-tool", required=True)
    parser.add_argument("--publisher", required=True)
    parser.add_argument("--devices", type=int, default=50)
    parser.add_argument("--rows", type=int, default=60480)
    parser.add_argument("--batch", type=int, default=2000)
    parser.add_argument("--month-devices", type=int, default=100)
    parser.add_argument("--keep")
    args = parser.parse_args()

    work = args.keep or tempfile.mkdtemp(prefix="lumora-fleet-log-bench-")
    cluster = Cluster(work)
    cluster.start()
    ok = False
    try:
        ok = ingest(args, work, cluster)
        if args.month_devices > 0:
            ok = month(args, cluster) and ok
    finally:
        cluster.stop()
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
