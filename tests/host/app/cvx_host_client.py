"""What the cvx-host tests share: start cvx-host serving remote commands on a free port and
open a PyVISA session to it, as a lab script would; walk the UI dump; fail with a message."""

import re
import subprocess
import sys
import time

import pyvisa


def fail(what):
    print("FAILED: " + what)
    sys.exit(1)


def nodes(node):
    yield node
    for child in node.get("children", []):
        yield from nodes(child)


def start_host(host, args, env, cwd, log):
    """cvx-host with `args` and `--remote 0`, writing to `log` (a file open for w+); answers
    the process and a PyVISA session on the port it serves."""
    app = subprocess.Popen([host, "--remote", "0"] + args, env=env, cwd=cwd, stdout=log, stderr=log)
    port = None
    for _ in range(200):
        log.seek(0)
        found = re.search(r"serving on 127\.0\.0\.1:(\d+)", log.read())
        if found:
            port = int(found.group(1))
            break
        if app.poll() is not None:
            break
        time.sleep(0.05)
    if port is None:
        log.seek(0)
        app.kill()
        fail("cvx-host did not start serving:\n" + log.read())
    inst = pyvisa.ResourceManager("@py").open_resource(
        f"TCPIP::127.0.0.1::{port}::SOCKET", read_termination="\n", write_termination="\n")
    inst.timeout = 20000
    return app, inst


def check_no_error(inst, what):
    error = inst.query("SYSTem:ERRor?")
    if error != '0,"No error"':
        fail(what + ": " + error)
