#!/usr/bin/env python3
"""Runs every cvx-compare example of README.md and docs/*.md, so that the documents cannot
drift from the program.

An example is a line of a code block that starts with `cvx-compare` (or its build path), with
its `\\` continuation lines. Synopsis lines, whose arguments are placeholders (REFERENCE,
[OPTIONS], CAPTURE|SETUP), are not run. The indented lines right after an example are the output
it must print: `...` inside a line stands for any text, a line of `...` alone for any lines.
Every example must end with status 0 or 1 (2 is trouble). Python blocks that use PyVISA are
run against `cvx-compare serve`.

Each document runs in a folder of its own that holds the captures its examples name
(golden.vcd, today.vcd, shifted.vcd, board.cvxsetup). Substituted for the test: the port 5025
becomes a free port, `/data/` the document's folder, and the mail server of the examples an
SMTP server on loopback (aiosmtpd), which must receive every mail the examples send.

usage: cvx_doc_examples.py CVX_COMPARE SOURCE_DIR
"""

import os
import re
import shlex
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

EXAMPLE = re.compile(r"^    (?:build/release/bin/)?cvx-compare(?: |$)")
PLACEHOLDER = re.compile(r"^\[?[A-Z][A-Z_|]{2,}\]?(\.\w+)?$")
MAIL_SERVER = "smtp://mail.example.org:25"
DOC_PORT = "5025"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def write_vcd(path, cycles, flips=None, delay=0, unknown_at=None):
    """clk toggles and the 8-bit top.data changes every 10 ns; `flips` XORs data at the cycles
    given, `delay` shifts the whole capture, `unknown_at` makes data x at that cycle."""
    flips = flips or {}
    lines = ["$timescale 1ns $end", "$scope module top $end", "$var wire 1 ! clk $end",
             '$var wire 8 " data [7:0] $end', "$upscope $end", "$enddefinitions $end"]
    for i in range(cycles):
        data = ((i * 37 + 11) & 0xFF) ^ flips.get(i, 0)
        bits = "xxxxxxxx" if i == unknown_at else format(data, "08b")
        lines += ["#%d" % (i * 10 + delay), "%d!" % (i & 1), 'b%s "' % bits]
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def make_captures(folder, cvx):
    write_vcd(os.path.join(folder, "golden.vcd"), 500)
    write_vcd(os.path.join(folder, "today.vcd"), 500, flips={150: 0x10, 210: 0x01}, unknown_at=260)
    write_vcd(os.path.join(folder, "shifted.vcd"), 500, delay=7)
    subprocess.run([cvx, "demo", "--samples", "1000", "--faults", "", "--save-setup", "board.cvxsetup"],
                   cwd=folder, check=True, stdout=subprocess.DEVNULL)


def examples(text):
    """Yields ('command', line, expected lines) and ('python', code, None) in document order."""
    lines = text.split("\n")
    i = 0
    fenced = None
    while i < len(lines):
        line = lines[i]
        if line.startswith("```"):
            if fenced is None:
                fenced = (line[3:].strip(), i + 1)
            else:
                language, start = fenced
                code = "\n".join(lines[start:i])
                if language == "python" and "pyvisa" in code:
                    yield "python", code, None
                fenced = None
            i += 1
            continue
        if fenced is None and EXAMPLE.match(line):
            command = line.strip()
            while command.endswith("\\") and i + 1 < len(lines):
                i += 1
                command = command[:-1].rstrip() + " " + lines[i].strip()
            expected = []
            while i + 1 < len(lines) and lines[i + 1].startswith("    ") and not EXAMPLE.match(lines[i + 1]):
                i += 1
                expected.append(lines[i][4:])
            yield "command", command, expected
        elif fenced is None and line.strip() == "import pyvisa" and line.startswith("    "):
            start = i
            while i + 1 < len(lines) and (lines[i + 1].startswith("    ") or lines[i + 1] == ""):
                i += 1
            yield "python", "\n".join(l[4:] for l in lines[start:i + 1]), None
        i += 1


def matches(expected, actual):
    """Whether the actual lines follow the expected ones, `...` being a wildcard."""
    if not expected:
        return True
    head = expected[0]
    if head.strip() == "...":
        return any(matches(expected[1:], actual[k:]) for k in range(len(actual) + 1))
    if not actual:
        return False
    pattern = ".*".join(re.escape(part) for part in head.rstrip().split("..."))
    return re.fullmatch(pattern, actual[0].rstrip()) is not None and matches(expected[1:], actual[1:])


class Document:
    def __init__(self, cvx, name, folder, smtp_url):
        self.cvx = cvx
        self.name = name
        self.folder = folder
        self.smtp_url = smtp_url
        self.servers = []
        self.port = None
        self.failures = []
        self.run = 0

    def fail(self, what, detail):
        self.failures.append("%s: %s\n%s" % (self.name, what, detail))

    def substitute(self, text):
        text = text.replace(MAIL_SERVER, self.smtp_url).replace("/data/", self.folder + "/")
        if self.port is not None:
            text = text.replace(DOC_PORT, str(self.port))
        return text

    def run_command(self, command, expected):
        arguments = shlex.split(command, comments=True)
        if any(PLACEHOLDER.match(a) for a in arguments[1:]):
            return
        if arguments[1] == "serve":
            self.start_server(arguments)
            return
        self.run += 1
        arguments[0] = self.cvx
        arguments = [self.substitute(a) for a in arguments]
        done = subprocess.run(arguments, cwd=self.folder, capture_output=True, text=True, timeout=300)
        if done.returncode not in (0, 1):
            self.fail(command, "exit status %d\n%s" % (done.returncode, done.stderr))
        elif not matches(expected, done.stdout.split("\n")):
            self.fail(command, "printed\n%s\nwhere the document shows\n%s" % (done.stdout, "\n".join(expected)))

    def start_server(self, arguments):
        self.port = free_port()
        arguments = [self.cvx] + [self.substitute(a) for a in arguments[1:] if a != "&"]
        log = open(os.path.join(self.folder, "serve-%d.log" % self.port), "w+")
        server = subprocess.Popen(arguments, cwd=self.folder, stdout=log, stderr=log)
        self.servers.append(server)
        for _ in range(100):
            log.seek(0)
            if "serving on" in log.read():
                return
            time.sleep(0.05)
        self.fail(" ".join(arguments), "the server did not start")

    def run_python(self, code):
        self.run += 1
        if not self.servers:
            self.start_server(["cvx-compare", "serve", "--port", DOC_PORT])
        done = subprocess.run([sys.executable, "-c", self.substitute(code)], cwd=self.folder,
                              capture_output=True, text=True, timeout=120)
        if done.returncode != 0:
            self.fail(code, "the client failed:\n%s" % done.stderr)
        elif "SYSTem:ERRor?" in code and '0,"No error"' not in done.stdout:
            self.fail(code, "the host reported an error:\n%s" % done.stdout)

    def close(self):
        for server in self.servers:
            server.send_signal(signal.SIGTERM)
            server.wait(timeout=30)


def main():
    cvx, source = os.path.abspath(sys.argv[1]), sys.argv[2]
    documents = ["README.md"] + sorted("docs/" + f for f in os.listdir(os.path.join(source, "docs"))
                                       if f.endswith(".md"))
    work = tempfile.mkdtemp(prefix="cvx-doc-examples-")
    mail_log = os.path.join(work, "mail.txt")
    smtp_port = free_port()
    smtp = subprocess.Popen([sys.executable, "-u", "-m", "aiosmtpd", "-n", "-l", "127.0.0.1:%d" % smtp_port],
                            stdout=open(mail_log, "w"), stderr=subprocess.STDOUT)
    failures = []
    mails = 0
    try:
        time.sleep(0.5)
        for name in documents:
            folder = os.path.join(work, name.replace("/", "_"))
            os.makedirs(folder)
            make_captures(folder, cvx)
            document = Document(cvx, name, folder, "smtp://127.0.0.1:%d" % smtp_port)
            with open(os.path.join(source, name)) as text:
                content = text.read()
            mails += content.count(MAIL_SERVER)
            try:
                for kind, code, expected in examples(content):
                    if kind == "command":
                        document.run_command(code, expected)
                    else:
                        document.run_python(code)
            finally:
                document.close()
            failures += document.failures
            print("%s: %d examples run" % (name, document.run))
        time.sleep(0.5)
        with open(mail_log) as log:
            received = log.read().count("---------- MESSAGE FOLLOWS ----------")
        if received < mails:
            failures.append("the examples sent %d of %d mails" % (received, mails))
    finally:
        smtp.terminate()
        smtp.wait()
        shutil.rmtree(work, ignore_errors=True)
    for failure in failures:
        print("FAILED " + failure + "\n")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
