#!/usr/bin/python3
"""The run-until rule set in the Compare Properties sheet of cvx-host, end to end: a PyVISA
client opens the sheet, ticks "Send e-mail" and "Stop repetitive run" on the Difference
Properties page, types a recipient into the E-mail dialog and a threshold, and presses OK;
then a repetitive run of the simulated analyzer with seeded faults goes on until a comparison
reaches the threshold. A real SMTP server (aiosmtpd, started here) must receive exactly one
message with the subject "Compare - N Differences", and the run must have stopped.

usage: cvx_host_mail_test.py CVX_HOST
"""

import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cvx_host_client import check_no_error, fail, start_host  # noqa: E402


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def start_smtp(port, log):
    smtp = subprocess.Popen([sys.executable, "-u", "-m", "aiosmtpd", "-n", "-l", f"127.0.0.1:{port}"],
                            stdout=log, stderr=subprocess.STDOUT)
    for _ in range(200):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=0.2).close()
            return smtp
        except OSError:
            time.sleep(0.05)
    smtp.kill()
    fail("the SMTP server did not start")


def main():
    host = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix="cvx-host-mail-")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_STATE_HOME=os.path.join(work, "state"),
               XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_RUNTIME_DIR=work)
    port = free_port()
    received = open(os.path.join(work, "smtp.log"), "w+")
    smtp = start_smtp(port, received)
    log = open(os.path.join(work, "host.log"), "w+")
    app = None
    try:
        # With this seed the first repetitive runs differ from the reference in 2 places, a
        # later one in thousands (a dropped sample shifts the rest).
        options = ["samples=3000", "interval=0", "seed=2", "fault_rate=100"]
        args = [arg for option in options for arg in ("--option", option)]
        app, inst = start_host(host, args + ["--smtp", f"smtp://127.0.0.1:{port}"], env, work, log)
        inst.write("RUN")
        inst.write('TOOL:EXECute "Compare","CopyReference"')
        check_no_error(inst, "copying the reference")

        inst.write('SYSTem:UI:CLICk "Edit/8"')  # Edit > Properties...
        time.sleep(0.5)
        check_no_error(inst, "opening the properties")
        inst.write('SYSTem:UI:SET "ComparePropertySheet/Tabs","Difference Properties"')
        check_no_error(inst, "choosing the Difference Properties page")
        inst.write('SYSTem:UI:SET "3432/19491","100"')
        inst.write('SYSTem:UI:SET "3432/19493","1"')
        inst.write('SYSTem:UI:SET "3432/19492","1"')
        check_no_error(inst, "setting the rule")
        inst.write('SYSTem:UI:CLICk "3432/19494"')  # E-mail...
        time.sleep(0.5)
        inst.write('SYSTem:UI:SET "3429/19476","lab@example.com"')
        check_no_error(inst, "typing the recipient")
        inst.write('SYSTem:UI:CLICk "3429/1"')
        time.sleep(0.3)
        inst.write('SYSTem:UI:CLICk "ComparePropertySheet/1"')
        time.sleep(0.3)
        check_no_error(inst, "OK on the sheet")

        inst.write("RUN:REPetitive 20")
        inst.query("*OPC?")
        if int(inst.query("RUN:COUNt?")) >= 21:
            fail("the repetitive run went through all its acquisitions")
        if inst.query("RUN:STATe?") != "0":
            fail("the repetitive run did not stop")
        counts = inst.query_binary_values('TOOL:VALue? "Compare","GetCounts"', datatype="B", container=bytes).decode()
        found = re.search(r"Differences='(\d+)'", counts)
        if not found:
            fail("the counts: " + counts)
        differences = int(found.group(1))
        if differences < 100:
            fail(f"the run stopped at {differences} differences")
        deadline = time.time() + 20
        text = ""
        while time.time() < deadline:
            received.seek(0)
            text = received.read()
            if "Subject:" in text:
                break
            time.sleep(0.2)
        time.sleep(0.5)  # a second message would have come by now
        received.seek(0)
        text = received.read()
        messages = text.count("MESSAGE FOLLOWS")
        if messages != 1:
            fail(f"{messages} messages reached the server:\n{text}")
        if "To: <lab@example.com>" not in text:
            fail("the recipient of the message:\n" + text)
        if f"Subject: Compare - {differences} Differences" not in text:
            fail(f"the subject (expected {differences} differences):\n" + text[:3000])
        inst.write("SYSTem:EXIT")
        inst.close()
        app.wait(timeout=30)
        print(f"ok: one message for {differences} differences, the run stopped")
    finally:
        if app is not None and app.poll() is None:
            app.kill()
            app.wait()
        smtp.terminate()
        smtp.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
