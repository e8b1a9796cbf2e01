"""A fleet on this machine for the benchmarks: the CA, certificates and enrolments made by
lumora-fleet itself, the broker (mosquitto) and content server (nginx) from the configuration
Lumora ships, on free loopback ports."""

import os
import shutil
import socket
import subprocess

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Site:
    def __init__(self, folder, tool):
        self.folder = folder
        self.tool_path = tool
        self.ca = os.path.join(folder, "ca")
        self.site = os.path.join(folder, "site")
        self.broker_port = free_port()
        self.content_port = free_port()
        self.broker = None
        self.content = None

    def tool(self, *arguments, **kwargs):
        return subprocess.run([self.tool_path, "--ca", self.ca] + list(arguments), check=True,
                              stdout=kwargs.get("stdout", subprocess.DEVNULL), text=True)

    def make(self):
        os.makedirs(os.path.join(self.site, "www", "b"), exist_ok=True)
        os.makedirs(os.path.join(self.site, "tmp"), exist_ok=True)
        self.tool("ca", "init", "--broker", "mqtts://127.0.0.1:%d" % self.broker_port,
                  "--content", "https://127.0.0.1:%d/b/" % self.content_port)
        self.tool("ca", "server", "broker", "--address", "127.0.0.1", "--out", os.path.join(self.site, "broker"))
        self.tool("ca", "server", "content", "--address", "127.0.0.1", "--out", os.path.join(self.site, "content"))
        shutil.copy2(os.path.join(self.ca, "ca.crt"), self.site)
        shutil.copy2(os.path.join(SOURCE, "resources", "fleet", "acl"), self.site)
        for name, port in (("mosquitto.conf", self.broker_port), ("nginx.conf", self.content_port)):
            with open(os.path.join(SOURCE, "resources", "fleet", name)) as shipped:
                text = shipped.read().replace("@FOLDER@", self.site).replace("@PORT@", str(port))
            text = text.replace("listener %d\n" % port, "listener %d 127.0.0.1\n" % port)
            text = text.replace("listen %d ssl" % port, "listen 127.0.0.1:%d ssl" % port)
            if name == "mosquitto.conf":
                # Many devices: more descriptors than the default.
                text += "max_connections -1\n"
            if os.geteuid() == 0:
                text = ("user root;\n" + text) if name == "nginx.conf" else (text + "user root\n")
            with open(os.path.join(self.site, name), "w") as out:
                out.write(text)

    def enroll(self, device, settings, groups=()):
        enrolment = os.path.join(self.folder, device + ".lumora-device")
        arguments = ["enroll", device, "--acl", os.path.join(self.site, "acl"), "--out", enrolment]
        if groups:
            arguments += ["--groups", ",".join(groups)]
        self.tool(*arguments)
        os.makedirs(os.path.dirname(settings), exist_ok=True)
        self.tool("join", enrolment, "--config", settings)

    def start(self):
        self.broker = subprocess.Popen(["mosquitto", "-c", os.path.join(self.site, "mosquitto.conf")],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.content = subprocess.Popen(["nginx", "-p", self.site, "-c", os.path.join(self.site, "nginx.conf"),
                                         "-g", "daemon off;"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for port in (self.broker_port, self.content_port):
            for _ in range(200):
                try:
                    socket.create_connection(("127.0.0.1", port), timeout=1).close()
                    break
                except OSError:
                    import time
                    time.sleep(0.05)
        return self.broker, self.content

    def stop(self):
        import signal
        for server in (self.broker, self.content):
            if server and server.poll() is None:
                server.send_signal(signal.SIGCONT)
                # In order: a killed nginx master leaves its workers behind.
                server.terminate()
                try:
                    server.wait(10)
                except subprocess.TimeoutExpired:
                    server.kill()
                    server.wait()
