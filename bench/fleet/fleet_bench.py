#!/usr/bin/env python3
"""The fleet on one machine: --agents headless agents (the agent without a player, answering as
one) on one broker, a --bundle-mb bundle published to all of them, and the time from the publish
until every one reports it active; the broker's and one agent's CPU and memory. Then one more
agent fetches a --big-mb bundle, timed against curl fetching the same files from the same server
to the same disk in the same run.

Needs mosquitto, nginx (nginx-light, libnginx-mod-http-dav-ext) and curl.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fleetsite  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")


def say(text=""):
    print(text, flush=True)


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def memory(pid):
    """(resident MiB, private anonymous MiB)"""
    values = {}
    with open("/proc/%d/smaps_rollup" % pid) as smaps:
        for line in smaps:
            parts = line.split()
            if len(parts) >= 2 and parts[0].endswith(":"):
                values[parts[0][:-1]] = int(parts[1])
    return values.get("Rss", 0) / 1024.0, values.get("Anonymous", 0) / 1024.0


def write_media(folder, name, size):
    path = os.path.join(folder, name)
    with open(path, "wb") as out:
        left = size
        block = os.urandom(1 << 20)
        while left > 0:
            out.write(block[:min(left, len(block))])
            left -= len(block)
    return path


def make_scheme(maker, folder, name, files):
    return subprocess.run([maker, os.path.join(folder, name)] + files, check=True, capture_output=True,
                          text=True).stdout.strip()


def publish(site, scheme, target, timeout):
    """Publishes with --wait; returns (seconds from the manifest's publish to all active,
    lines)."""
    process = subprocess.Popen([site.tool_path, "--ca", site.ca, "publish", scheme, "--to", target, "--wait",
                                str(timeout)], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    published = None
    lines = []
    for line in process.stdout:
        lines.append((time.monotonic(), line.rstrip()))
        if line.startswith("published to"):
            published = time.monotonic()
    process.wait()
    if process.returncode != 0 or published is None:
        say("publish failed:\n" + "\n".join(l for _, l in lines[-20:]))
        return None, lines
    return lines[-1][0] - published, lines


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tool", required=True)
    parser.add_argument("--agent", required=True)
    parser.add_argument("--scheme-maker", required=True)
    parser.add_argument("--agents", type=int, default=500)
    parser.add_argument("--bundle-mb", type=float, default=1)
    parser.add_argument("--big-mb", type=int, default=500)
    parser.add_argument("--keep")
    args = parser.parse_args()

    work = args.keep or tempfile.mkdtemp(prefix="lumora-fleet-bench-")
    site = fleetsite.Site(work, args.tool)
    site.make()
    devices = ["dev-%03d" % i for i in range(args.agents)]
    began = time.monotonic()
    for device in devices:
        site.enroll(device, os.path.join(work, "devices", device, "setting.ini"), ["all"])
    site.enroll("big", os.path.join(work, "devices", "big", "setting.ini"))
    say("fleet bench: %d devices enrolled in %.1f s, work directory %s" % (args.agents, time.monotonic() - began,
                                                                          work))
    broker, _ = site.start()
    agents = []
    try:
        began = time.monotonic()
        for device in devices:
            agents.append(subprocess.Popen(
                [args.agent, "--headless", "--config", os.path.join(work, "devices", device, "setting.ini"),
                 "--state", os.path.join(work, "devices", device, "state")],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # Every agent connected: the broker's log is quiet, so ask it through the tool.
        deadline = time.monotonic() + 300
        online = 0
        while time.monotonic() < deadline:
            out = subprocess.run([args.tool, "--ca", site.ca, "devices"], capture_output=True, text=True).stdout
            online = len(re.findall(r"^dev-\d+  online", out, re.M))
            if online == args.agents:
                break
            time.sleep(2)
        say("agents: %d of %d online %.1f s after the first started" % (online, args.agents, time.monotonic() - began))
        time.sleep(10)
        idle = [memory(agent.pid) for agent in agents[:20]]
        say("idle agent: resident %.1f MiB, private (anonymous) %.1f MiB (mean of %d), largest private %.1f MiB"
            % (sum(m[0] for m in idle) / len(idle), sum(m[1] for m in idle) / len(idle), len(idle),
               max(m[1] for m in idle)))

        media = os.path.join(work, "media")
        os.makedirs(media, exist_ok=True)
        small = write_media(media, "small.bin", int(args.bundle_mb * 1024 * 1024))
        scheme = make_scheme(args.scheme_maker, media, "small.schx", [small])
        broker_cpu, agent_cpu = cpu_seconds(broker.pid), cpu_seconds(agents[0].pid)
        seconds, lines = publish(site, scheme, "all", 600)
        if seconds is not None:
            say("publish of %.1f MiB to %d agents: all active %.1f s after the desired state was set"
                % (args.bundle_mb, args.agents, seconds))
        say("during it: broker CPU %.1f s, one agent CPU %.2f s" % (cpu_seconds(broker.pid) - broker_cpu,
                                                                    cpu_seconds(agents[0].pid) - agent_cpu))
        rss, anon = memory(broker.pid)
        say("broker: resident %.1f MiB, private %.1f MiB" % (rss, anon))
        rss, anon = memory(agents[0].pid)
        say("agent after the bundle: resident %.1f MiB, private %.1f MiB" % (rss, anon))
    finally:
        for agent in agents:
            agent.send_signal(signal.SIGKILL)
        for agent in agents:
            agent.wait()

    if args.big_mb > 0:
        # Five files of a fifth each, as a show of long videos would be.
        files = [write_media(media, "big-%d.bin" % i, args.big_mb * 1024 * 1024 // 5) for i in range(5)]
        scheme = make_scheme(args.scheme_maker, media, "big.schx", files)
        big = subprocess.Popen([args.agent, "--headless", "--config",
                                os.path.join(work, "devices", "big", "setting.ini"), "--state",
                                os.path.join(work, "devices", "big", "state")],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(3)
        agent_cpu = cpu_seconds(big.pid)
        seconds, lines = publish(site, scheme, "big", 1800)
        fetch = None
        fetching = [t for t, l in lines if l.startswith("big: ") and "bytes" in l]
        done = [t for t, l in lines if l == "big: active"]
        if fetching and done:
            fetch = done[0] - fetching[0]
        # From the desired state set to the bundle active: the fetch with everything around it
        # (the manifest's delivery, the state reports' half-second merging) counted against it.
        if seconds:
            fetch = seconds
        say("agent: %d MiB bundle fetched, checked and active %.1f s after the desired state was set (%.0f MiB/s), "
            "CPU %.1f s" % (args.big_mb, fetch or -1, args.big_mb / fetch if fetch else 0,
                            cpu_seconds(big.pid) - agent_cpu))
        big.send_signal(signal.SIGKILL)
        big.wait()
        # The same files with curl, the device's certificate, to the same disk.
        fleet = os.path.join(work, "devices", "big", "fleet")
        target = os.path.join(work, "curl")
        os.makedirs(target, exist_ok=True)
        import hashlib
        names = []
        for path in files:
            digest = hashlib.sha256()
            with open(path, "rb") as data:
                for block in iter(lambda: data.read(1 << 20), b""):
                    digest.update(block)
            names.append(digest.hexdigest())
        began = time.monotonic()
        for name in names:
            subprocess.run(["curl", "-sS", "--fail", "--cacert", os.path.join(fleet, "ca.crt"), "--cert",
                            os.path.join(fleet, "device.crt"), "--key", os.path.join(fleet, "device.key"), "-o",
                            os.path.join(target, name),
                            "https://127.0.0.1:%d/b/%s" % (site.content_port, name)], check=True)
        subprocess.run(["sync"])
        curl = time.monotonic() - began
        say("curl: the same %d MiB in %.1f s (%.0f MiB/s); the agent at %.0f %% of curl's speed"
            % (args.big_mb, curl, args.big_mb / curl, 100.0 * curl / fetch if fetch else 0))
    site.stop()
    if not args.keep:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
