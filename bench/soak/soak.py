#!/usr/bin/env python3
"""Soak of the real player under Xvfb.

Makes the soak scheme (pictures with effects, texts of the three kinds, both clocks, the
count timer, two videos back to back, a cycle insert every minute, a timing insert at time
points), plays it with LumoraPlayer for --minutes and prints once a minute the player's
resident memory, threads, open descriptors, X resources and the play-log rows written.
At the end it prints the growth after the warm-up, the lateness of every timing insert (its
row's begin against the point's second), and compares the play log with
"lumora-scheme simulate" from the same start: the largest begin-time difference.

With --fleet-tool and --agent the player is a device of a fleet (made with lumora-fleet, the broker
and content server from the shipped configuration on loopback); a minute into the run both
servers are stopped with SIGSTOP, so they keep their connections and answer nothing, as a dead
route does, and the agent keeps trying while the player plays.

Needs Xvfb, ffmpeg and xrestop (X resources are left out without it).
"""

import argparse
import datetime as dt
import os
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

DAY_FORMAT = "%Y-%m-%d"


def say(text=""):
    print(text, flush=True)


def start_xvfb(size):
    """An X server on a free display; returns (process, display)."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp", "-screen", "0", size + "x24"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        xvfb.kill()
        sys.exit("soak: Xvfb did not start")
    return xvfb, ":" + number.decode().strip()


def make_media(directory, scheme_maker, points):
    os.makedirs(directory, exist_ok=True)
    for name, source in (("v1.mp4", "testsrc2=size=640x360:rate=25"),
                         ("v2.mp4", "smptebars=size=640x360:rate=25")):
        subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", source, "-t", "10",
                        "-c:v", "libx264", "-pix_fmt", "yuv420p", os.path.join(directory, name)], check=True)
    out = subprocess.run([scheme_maker, directory] + points, check=True, capture_output=True, text=True)
    return out.stdout.strip()


def make_fleet(work, tool):
    """A fleet site in work/site with this player's folder as its one device, its servers
    started."""
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "fleet"))
    import fleetsite
    site = fleetsite.Site(work, tool)
    site.make()
    site.enroll("soak", os.path.join(work, "setting.ini"))
    site.start()
    return site


def proc_status(pid):
    values = {}
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            key, _, value = line.partition(":")
            values[key] = value.strip()
    return int(values["VmRSS"].split()[0]) / 1024.0, int(values["Threads"])


def open_fds(pid):
    return len(os.listdir("/proc/%d/fd" % pid))


def x_resources(display):
    """Windows, GCs, pixmaps, pixmap KiB and all resources the player's X clients hold. The
    server is the player's own, so every client but xrestop and the server's own is the player."""
    if not shutil.which("xrestop"):
        return None
    try:
        out = subprocess.run(["xrestop", "-display", display, "-b", "-m", "1"], capture_output=True,
                             text=True, timeout=30).stdout
    except subprocess.TimeoutExpired:
        return None
    clients, current = [], None
    for line in out.splitlines():
        header = re.match(r"^\d+ - (.*) \( PID:", line)
        if header:
            current = {"name": header.group(1)}
            clients.append(current)
            continue
        key, sep, value = line.partition(":")
        if sep and current is not None:
            current[key.strip()] = value.strip().lstrip("~")
    totals = [0, 0, 0, 0, 0]
    for client in clients:
        if client["name"] == "xrestop" or client.get("res_base") == "0":
            continue
        number = lambda key: int(client.get(key, "0").split()[0])
        totals[0] += number("windows")
        totals[1] += number("GCs")
        totals[2] += number("pixmaps")
        totals[3] += number("pixmap bytes") // 1024
        totals[4] += sum(number(k) for k in ("windows", "GCs", "fonts", "pixmaps", "pictures", "glyphsets",
                                              "colormaps", "passive grabs", "cursors", "unknowns"))
    return tuple(totals)


def log_rows(database):
    """Rows of the play log as (name, begin datetime, end datetime)."""
    if not os.path.exists(database):
        return []
    connection = sqlite3.connect("file:%s?mode=ro" % database, uri=True, timeout=10)
    try:
        rows = connection.execute("select name, beginDate, beginTime, endDate, endTime from LOGINFOS").fetchall()
    except sqlite3.Error:
        return []
    finally:
        connection.close()
    return [(name, stamp(bd, bt), stamp(ed, et)) for name, bd, bt, ed, et in rows]


def count_rows(database):
    if not os.path.exists(database):
        return 0
    connection = sqlite3.connect("file:%s?mode=ro" % database, uri=True, timeout=10)
    try:
        return connection.execute("select count(*) from LOGINFOS").fetchone()[0]
    except sqlite3.Error:
        return 0
    finally:
        connection.close()


def stamp(day, clock):
    # "HH:mm:ss:zzz"
    return dt.datetime.strptime(day + " " + clock, DAY_FORMAT + " %H:%M:%S:%f")


def slope_per_hour(samples):
    """Least-squares slope of (minute, value) in units per hour."""
    if len(samples) < 2:
        return 0.0
    n = len(samples)
    mx = sum(m for m, _ in samples) / n
    my = sum(v for _, v in samples) / n
    sxx = sum((m - mx) ** 2 for m, _ in samples)
    sxy = sum((m - mx) * (v - my) for m, v in samples)
    return sxy / sxx * 60.0 if sxx else 0.0


def pair_by_name(real, simulated, window=5.0):
    """Pairs rows of the same name whose begins lie within `window` seconds, walking both
    lists in begin order: (name, real begin, simulated begin). A row one side has and the
    other lacks (a general item cut to nothing by an insert due in the same millisecond, say)
    stays unpaired instead of shifting every later pair of its name by one."""
    def by_name(rows):
        groups = {}
        for name, begin in sorted(rows, key=lambda r: r[1]):
            groups.setdefault(name, []).append(begin)
        return groups
    real_groups, sim_groups = by_name(real), by_name(simulated)
    pairs = []
    for name, reals in real_groups.items():
        sims = sim_groups.get(name, [])
        i = j = 0
        while i < len(reals) and j < len(sims):
            gap = (reals[i] - sims[j]).total_seconds()
            if abs(gap) <= window:
                # The nearer of this simulated row and the next takes the real one.
                if j + 1 < len(sims) and abs((reals[i] - sims[j + 1]).total_seconds()) < abs(gap):
                    j += 1
                    continue
                pairs.append((name, reals[i], sims[j]))
                i += 1
                j += 1
            elif gap < 0:
                i += 1
            else:
                j += 1
    return sorted(pairs, key=lambda p: p[1])


def compare_with_simulation(scheme_tool, scheme, rows, start, seconds):
    out = subprocess.run([scheme_tool, "simulate", scheme, "--start", start.strftime("%Y-%m-%dT%H:%M:%S.")
                          + "%03d" % (start.microsecond // 1000), "--duration", str(seconds), "--events"],
                         capture_output=True, text=True)
    if out.returncode != 0:
        say("simulate failed: " + out.stderr.strip())
        return
    simulated, edges, window_of = [], [], {}
    for line in out.stdout.splitlines():
        fields = line.split("\t")
        if line.startswith("#"):
            if len(fields) > 3 and fields[3] in ("insert start", "insert end"):
                edges.append(dt.datetime.strptime(fields[1], "%Y-%m-%d %H:%M:%S.%f"))
        elif len(fields) == 9:
            simulated.append((fields[2], stamp(fields[4], fields[6])))
            window_of[(fields[2], stamp(fields[4], fields[6]))] = fields[1]
    real = [(name, begin) for name, begin, _ in rows]
    end = start + dt.timedelta(seconds=seconds)
    # Only rows both sides have finished: the simulation stops at the last real row's end.
    real = [r for r in real if r[1] < end]
    pairs = pair_by_name(real, simulated)
    # A general item due to begin in the very millisecond an insert starts or ends may begin
    # before the insert or after it, whichever of the two timers the event loop takes first;
    # either is right, and the rows after it agree again. Such rows are counted, not compared.
    # General windows are those that begin at the start.
    general = {w for (name, begin), w in window_of.items() if begin == start}
    edge_ms = set()
    for edge in edges:
        ms = int(edge.timestamp() * 1000)
        edge_ms.update(range(ms - 2, ms + 3))
    tie = lambda p: int(p[2].timestamp() * 1000) in edge_ms and window_of.get((p[0], p[2])) in general
    ties = [p for p in pairs if tie(p)]
    pairs = [p for p in pairs if not tie(p)]
    if ties:
        say("%d rows due in the same millisecond as an insert start or end, not compared (largest %+.0f ms)"
            % (len(ties), max(((t[1] - t[2]).total_seconds() * 1000.0 for t in ties), key=abs)))
    # Which way such a tie went decides whether the rest of that pass of the general page
    # plays before the insert or after it, so the page's rows up to its next start (every
    # general window beginning together) may differ by up to the insert's length; from
    # there on both agree again, and a difference that lasts still shows.
    starts = {}
    for (name, begin), w in window_of.items():
        if w in general:
            starts.setdefault(begin, set()).add(w)
    page_starts = sorted(b for b, ws in starts.items() if ws >= general)
    shadowed = []
    for t in sorted({p[2] for p in ties}):
        following = [b for b in page_starts if b > t]
        until = following[0] if following else end
        shadowed += [p for p in pairs if t < p[2] < until and window_of.get((p[0], p[2])) in general]
    if shadowed:
        shadowed_set = set(shadowed)
        pairs = [p for p in pairs if p not in shadowed_set]
        say("%d rows of a page pass that followed such a row, not compared (largest %+.0f ms)"
            % (len(shadowed_set),
               max(((t[1] - t[2]).total_seconds() * 1000.0 for t in shadowed_set), key=abs)))
    if not pairs:
        say("no rows to compare with the simulation")
        return
    say("real play against the simulation from %s: %d real rows, %d simulated, %d paired"
        % (start.isoformat(sep=" ", timespec="milliseconds"), len(real), len(simulated), len(pairs)))
    worst = max(pairs, key=lambda p: abs((p[1] - p[2]).total_seconds()))
    diff = lambda p: (p[1] - p[2]).total_seconds() * 1000.0
    # The drift as it grows: the largest difference in each ten minutes of play.
    bucket = {}
    for p in pairs:
        b = int((p[2] - start).total_seconds() // 600)
        if abs(diff(p)) > abs(bucket.get(b, 0.0)):
            bucket[b] = diff(p)
    say("largest begin difference per 10 minutes (ms, real - simulated): "
        + ", ".join("%d-%d min %+.0f" % (b * 10, b * 10 + 10, v) for b, v in sorted(bucket.items())))
    say("largest begin-time difference: %+.0f ms (%s at %s)"
        % (diff(worst), worst[0], worst[1].strftime("%H:%M:%S.%f")[:-3]))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--minutes", type=float, default=60)
    parser.add_argument("--player")
    parser.add_argument("--scheme-maker")
    parser.add_argument("--scheme-tool", required=True)
    parser.add_argument("--point-every", type=int, default=5, help="minutes between timing points")
    parser.add_argument("--keep", help="directory to keep the run in (default: a temporary one)")
    parser.add_argument("--screen", default="1280x720")
    parser.add_argument("--fleet-tool", help="lumora-fleet: the player is a device of a fleet whose servers die")
    parser.add_argument("--agent", help="LumoraPlayerServer, the device's agent (with --fleet-tool)")
    parser.add_argument("--compare-only", metavar="DIR",
                        help="only compare the play log of a kept run with the simulation")
    args = parser.parse_args()

    if args.compare_only:
        rows = log_rows(os.path.join(args.compare_only, "log.db"))
        if not rows:
            say("no play-log rows")
            return 1
        start = min(r[1] for r in rows)
        seconds = int((max(r[2] for r in rows) - start).total_seconds()) + 1
        compare_with_simulation(args.scheme_tool, os.path.join(args.compare_only, "media", "soak.schx"), rows,
                                start, seconds)
        return 0

    work = args.keep or tempfile.mkdtemp(prefix="lumora-soak-")
    os.makedirs(work, exist_ok=True)
    # A copy of its own: setting.ini and log.db land beside it.
    player = os.path.join(work, "LumoraPlayer")
    shutil.copy2(args.player, player)
    with open(os.path.join(work, "setting.ini"), "w") as ini:
        # English: the log names of clocks and texts are then those the simulation prints.
        ini.write("[General]\nCloseType=normal\nLanguage=1\n")
    database = os.path.join(work, "log.db")
    if os.path.exists(database):
        os.remove(database)
    site = None
    if args.fleet_tool:
        shutil.copy2(args.agent, os.path.join(work, "LumoraPlayerServer"))
        site = make_fleet(work, args.fleet_tool)
    points = ["%02d:%02d" % (m // 60, m % 60) for m in range(0, 24 * 60, args.point_every)]
    scheme = make_media(os.path.join(work, "media"), os.path.abspath(args.scheme_maker), points)

    xvfb, display = start_xvfb(args.screen)
    env = dict(os.environ, DISPLAY=display)
    env.pop("QT_QPA_PLATFORM", None)
    # Its own temporary directory: its single-instance key is then its own, and no other
    # player on this machine (a test run) is refused or refuses this one.
    env["TMPDIR"] = os.path.join(work, "tmp")
    os.makedirs(env["TMPDIR"], exist_ok=True)
    output = open(os.path.join(work, "player.log"), "w")
    process = subprocess.Popen([player, scheme, "--play"], cwd=work, env=env, stdout=output,
                               stderr=subprocess.STDOUT)
    say("soak: %s for %g minutes on %s, work directory %s" % (os.path.basename(scheme), args.minutes, display,
                                                               work))
    say("minute   RSS MiB  threads  fds  X windows GCs pixmaps pixmap-KiB all  log rows")
    began = time.monotonic()
    samples = []
    try:
        minute = 0
        while minute < args.minutes:
            minute += 1
            wait = began + minute * 60 - time.monotonic()
            if wait > 0:
                time.sleep(wait)
            if site and minute == 1:
                # Connected by now; from here on the route to both servers is dead.
                for server in (site.broker, site.content):
                    server.send_signal(signal.SIGSTOP)
                say("soak: the broker and the content server stopped answering")
            if process.poll() is not None:
                say("soak: the player ended with status %s" % process.returncode)
                break
            rss, threads = proc_status(process.pid)
            fds = open_fds(process.pid)
            xres = x_resources(display)
            rows = count_rows(database)
            samples.append((minute, rss, threads, fds, xres, rows))
            xtext = "%4d %4d %6d %8d %5d" % xres if xres else "   (no xrestop)"
            say("%6d %9.1f %8d %4d  %s %8d" % (minute, rss, threads, fds, xtext, rows))
    finally:
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(20)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        xvfb.terminate()
        xvfb.wait()
        output.close()
        if site:
            site.stop()
        # The agent outlives its player by design; the run is over.
        agent = os.path.join(work, "LumoraPlayerServer")
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    if os.readlink("/proc/%s/exe" % entry) == agent:
                        os.kill(int(entry), signal.SIGKILL)
                except OSError:
                    pass

    warm = [s for s in samples if s[0] >= 10]
    if len(warm) >= 2:
        say("after minute 10: RSS %+.1f MiB/h (fit), %.1f -> %.1f MiB; threads %d..%d; fds %d..%d"
            % (slope_per_hour([(s[0], s[1]) for s in warm]), warm[0][1], warm[-1][1],
               min(s[2] for s in warm), max(s[2] for s in warm), min(s[3] for s in warm),
               max(s[3] for s in warm)))
        xs = [s[4] for s in warm if s[4]]
        if xs:
            say("after minute 10: X resources %d..%d, pixmap KiB %d..%d"
                % (min(x[4] for x in xs), max(x[4] for x in xs), min(x[3] for x in xs), max(x[3] for x in xs)))

    rows = log_rows(database)
    if not rows:
        say("no play-log rows")
        return 1
    start = min(r[1] for r in rows)
    # Timing inserts: the notice's row against the point's second.
    late = [((r[1] - r[1].replace(second=0, microsecond=0)).total_seconds() * 1000.0, r[1])
            for r in rows if r[0] == "notice.png"]
    if late:
        say("timing inserts: %d, lateness ms: %s; max %.0f ms"
            % (len(late), " ".join("%.0f" % l for l, _ in sorted(late, key=lambda x: x[1])),
               max(l for l, _ in late)))
    with open(os.path.join(work, "player.log")) as log:
        text = log.read()
    hardware = ("hwdec", "hardware dec", "cuda", "vdpau", "libva", "vaapi", "v4l2")
    say("player output: %d stall restarts, %d lines about hardware decoding"
        % (text.count("after a stall"),
           sum(1 for line in text.splitlines() if any(word in line.lower() for word in hardware))))
    seconds = int((max(r[2] for r in rows) - start).total_seconds()) + 1
    compare_with_simulation(args.scheme_tool, scheme, rows, start, seconds)
    if not args.keep:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
