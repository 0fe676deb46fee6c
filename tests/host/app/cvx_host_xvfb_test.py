#!/usr/bin/python3
"""cvx-host under a real X server (Xvfb, started here), driven by an unchanged PyVISA client as
a lab script would: acquire from the simulated analyzer, open a second Compare window, copy a
reference, inject a fault, acquire again and count it, read the UI dump, drive the grid with
the host's keys and its context menu, drive a dialog opened by a click (a value set into it,
keys), save and load the setup (the columns show at once, and a script's edit of it loads and
sizes them), take a screenshot, then quit the application cleanly: exit status 0 and no
paging file left behind.

usage: cvx_host_xvfb_test.py CVX_HOST
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cvx_host_client import fail, nodes, start_host  # noqa: E402


def start_xvfb():
    # -displayfd: the server picks a free display and tells its number.
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
                            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            fail("Xvfb did not start")
        number += chunk
    os.close(read)
    return xvfb, ":" + number.decode().strip()


def header_cells(inst):
    """The cells of every Compare window's column header, as the UI dump describes them."""
    dump = json.loads(inst.query_binary_values("SYSTem:UI:DUMP?", datatype="B", container=bytes).decode())
    return [cell for window in dump for n in nodes(window) if n["path"].endswith("/CvxCompareHeaderView")
            for cell in n["content"]["cells"]]


def header_columns(inst):
    return [(c["name"], c["width"]) for c in header_cells(inst)]


def main():
    host = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix="cvx-host-xvfb-")
    state = os.path.join(work, "state")
    os.makedirs(state)
    xvfb, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_STATE_HOME=state,
               XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_RUNTIME_DIR=work)
    log = open(os.path.join(work, "host.log"), "w+")
    app = None
    try:
        app, inst = start_host(host, ["--option", "samples=5000"], env, work, log)
        if not inst.query("*IDN?").startswith("Cvx,"):
            fail("identification")
        inst.write("RUN")
        inst.write('TOOL:NEW "Compare"')
        tools = inst.query("TOOL:LIST?")
        if tools != '"Compare","Compare 2"':
            fail("tool list after TOOL:NEW: " + tools)
        inst.write('TOOL:EXECute "Compare 2","CopyReference"')
        inst.write('SOURce:OPTion "faults","flip:DATA8:120:3"')
        inst.write("RUN")
        count = int(inst.query('TOOL:VALue? "Compare 2","GetNumberOfDifferences"'))
        if count != 1:
            fail(f"differences after the injected fault: {count}")
        dump = json.loads(inst.query_binary_values("SYSTem:UI:DUMP?", datatype="B", container=bytes).decode())

        everything = [n for window in dump for n in nodes(window)]
        counters = [n["content"]["counters"] for n in everything if n["path"].endswith("Compare 2/CvxCompareView")]
        if not counters or counters[0][3] != "Differences: 1":
            fail("the Compare 2 window shows: " + repr(counters))
        grids = [n["content"] for n in everything if n["path"].endswith("Compare 2/CvxCompareView/59649/CvxCompareDataViewScrollBars/CvxCompareDataView")]
        cells = [c for row in (grids[0].get("rows", []) if grids else []) for c in row["cells"]]
        if not cells or not any(c.get("background") == "reference" and c.get("reference") for c in cells):
            fail("the grid of Compare 2 in the dump: " + repr(grids[0] if grids else None)[:500])
        panes = {n["name"]: n for n in everything if "/Compare 2/CvxCompareView/59649/" in n["path"]}
        for pane in ("CvxCompareHeaderView", "CvxCompareDataView", "CvxCompareOverView"):
            if pane not in panes or panes[pane]["geometry"][2] <= 0 or panes[pane]["class"] != pane:
                fail(f"the pane {pane} in the dump: " + repr(panes.get(pane)))
        listing = [n for n in everything if n["name"] == "ListingTable"]
        if not listing or listing[0]["content"].get("rowCount") != 5000:
            fail("the Listing's content: " + repr(listing[0]["content"] if listing else None))
        # A pattern typed into ADDR16's trigger field in the header is the next run's trigger:
        # the run is centred on the first row where ADDR16 reads 0200.
        header = "Compare 2 Window/Compare 2/CvxCompareView/59649/CvxCompareHeaderView"
        inst.write(f'SYSTem:UI:SET "{header}/Trigger:ADDR16","0200"')
        error = inst.query("SYSTem:ERRor?")
        if error != '0,"No error"':
            fail("a pattern into the ADDR16 trigger field: " + error)
        trigger = inst.query('SOURce:OPTion? "trigger"')
        if trigger not in ('"ADDR16=0x0200"', '"ADDR16=0b0000001000000000"'):
            fail("the source's trigger after the header edit: " + trigger)
        inst.write("RUN")
        dump = json.loads(inst.query_binary_values("SYSTem:UI:DUMP?", datatype="B", container=bytes).decode())
        everything = [n for window in dump for n in nodes(window)]
        cells = [n["content"]["cells"] for n in everything if n["path"].endswith(header)]
        addr = [c for c in (cells[0] if cells else []) if c["name"] == "ADDR16"]
        if not addr or addr[0].get("trigger") != "0200":
            fail("ADDR16's trigger field in the dump: " + repr(addr))
        grids = [n["content"] for n in everything if n["path"].endswith("Compare 2/CvxCompareView/59649/CvxCompareDataViewScrollBars/CvxCompareDataView")]
        rows = grids[0].get("rows", []) if grids else []
        values = [(row["sample"], row.get("centre", False), c["input"]) for row in rows for c in row["cells"]
                  if c["column"] == "ADDR16" and c["status"] == 2]
        # The grid is centred on the trigger, sample 0 (the state table's row at that time may
        # come first and has no ADDR16 value).
        centre = [row["sample"] for row in rows if row.get("centre")]
        at_trigger = [text for sample, _, text in values if sample == 0]
        if centre != [0] or at_trigger != ["0200"]:
            fail("the trigger row after the run: " + repr((centre, at_trigger, values[:12])))
        if any(sample < 0 and text == "0200" for sample, _, text in values):
            fail("ADDR16 read 0200 before the trigger row: " + repr(values))
        run_action = [n for n in everything if n["path"].endswith("Acquisition/Run")]
        if not run_action or run_action[0]["shortcut"] != "F5":
            fail("the Run action in the dump: " + repr(run_action))
        # The Compare window's keys and menus from a client: a click in the grid gives it the
        # focus (and outlines a cell, whose menu then offers its entries), End moves the centre
        # to the last sample as the host's key, Shift+F10 opens the grid's context menu, which
        # the dump lists with its items, and a click on its Go To First Sample goes back.
        grid = "Compare 2 Window/Compare 2/CvxCompareView/59649/CvxCompareDataViewScrollBars/CvxCompareDataView"

        def look():
            dump = json.loads(inst.query_binary_values("SYSTem:UI:DUMP?", datatype="B", container=bytes).decode())
            rows = [n["content"].get("rows", []) for window in dump for n in nodes(window) if n["path"].endswith(grid)]
            centre = [row["sample"] for row in (rows[0] if rows else []) if row.get("centre")]
            return centre, [window for window in dump if window["class"] == "QMenu"]

        inst.write(f'SYSTem:UI:CLICk "{grid}"')
        time.sleep(0.3)
        _, menus = look()
        if menus and menus[0]["name"] == "DragOutline":
            inst.write('SYSTem:UI:CLICk "DragOutline/CopyText/35408"')
            time.sleep(0.2)
        inst.write('SYSTem:UI:KEY "End"')
        time.sleep(0.3)
        last, menus = look()
        if menus or len(last) != 1:
            fail("End in the grid: centre " + repr(last) + ", menus " + repr(menus)[:300])
        inst.write('SYSTem:UI:KEY "Shift+F10"')
        time.sleep(0.3)
        _, menus = look()
        names = [m["name"] for m in menus]
        if names not in (["InsideColumn"], ["OutSideColumn"]):
            fail("the grid's context menu in the dump: " + repr(menus)[:500])
        items = [(i.get("name"), i.get("enabled")) for i in menus[0]["children"] if not i.get("separator")]
        if ("35462", True) not in items or ("35407", True) not in items or len(items) != 9:
            fail("the items of " + names[0] + ": " + repr(items))
        inst.write(f'SYSTem:UI:CLICk "{names[0]}/35462"')
        time.sleep(0.3)
        first, menus = look()
        if menus or len(first) != 1 or not first[0] < last[0]:
            fail("Go To First Sample from the menu: " + repr((first, last, menus))[:300])
        if inst.query("SYSTem:ERRor?") != '0,"No error"':
            fail("the grid's keys and menu")
        # A dialog opened by a click: the server answers while it is open, and a value set
        # into it shows in the dump; Escape closes it, F5 runs.
        inst.write('SYSTem:UI:CLICk "Acquisition/Source"')
        time.sleep(0.3)
        inst.write('SYSTem:UI:SET "SourceDlg/Kind","VCD capture file"')
        if inst.query("SYSTem:ERRor?") != '0,"No error"':
            fail("a value into the open source dialog")
        dump = json.loads(inst.query_binary_values("SYSTem:UI:DUMP?", datatype="B", container=bytes).decode())
        kinds = [n["text"] for window in dump for n in nodes(window) if n["path"] == "SourceDlg/Kind"]
        if kinds != ["VCD capture file"]:
            fail("the source dialog in the dump: " + repr(kinds))
        runs = int(inst.query("RUN:COUNt?"))
        inst.write('SYSTem:UI:KEY "Esc"')
        time.sleep(0.3)
        inst.write('SYSTem:UI:KEY "F5"')
        time.sleep(0.5)
        if int(inst.query("RUN:COUNt?")) != runs + 1:
            fail("F5 after closing the dialog did not run")
        # A setup saved and loaded again replaces the tools: the windows follow, and a click on
        # the new tool's window reaches the new tool.
        columns_before = header_columns(inst)
        saved = os.path.join(work, "session.cvxsetup")
        inst.write(f'SYSTem:SETup:SAVE "{saved}"')
        inst.write(f'SYSTem:SETup:LOAD "{saved}"')
        # The loaded windows show the setup's columns at once, as wide as they were, not only
        # after the next acquisition.
        columns_after = header_columns(inst)
        if not columns_before or columns_after != columns_before:
            fail(f"the header columns before saving: {columns_before!r}\nright after loading: {columns_after!r}")
        inst.write('SYSTem:UI:CLICk "Compare 2 Window/Compare 2/CvxCompareView/59649/CvxCompareEmptyViewLeft"')
        time.sleep(0.3)
        error = inst.query("SYSTem:ERRor?")
        if error != '0,"No error"':
            fail("a click on a tool window after loading a setup: " + error)
        dump = json.loads(inst.query_binary_values("SYSTem:UI:DUMP?", datatype="B", container=bytes).decode())
        counters = [n["content"]["counters"] for window in dump for n in nodes(window)
                    if n["path"].endswith("Compare 2/CvxCompareView")]
        if len(counters) != 1:
            fail("the Compare 2 window after loading the setup: " + repr(counters))
        # The setup edited by a script (header lines on, column widths cleared as a headless save
        # leaves them), then loaded and run in one request: the windows are made after the run
        # and size every column all the same.
        edited = os.path.join(work, "edited.cvxsetup")
        with zipfile.ZipFile(saved) as original, zipfile.ZipFile(edited, "w") as copy:
            for entry in original.infolist():
                data = original.read(entry.filename)
                if entry.filename == "setup.xml":
                    text = data.decode()
                    for key in ("BaseDisplayed", "TriggerDisplayed", "ActivityIndicatorDisplayed"):
                        text = text.replace(key + "='F'", key + "='T'")
                    data = re.sub(r" Width='\d+'", " Width='-1'", text).encode()
                copy.writestr(entry, data)
        inst.write(f'SYSTem:SETup:LOAD "{edited}";:RUN')
        cells = header_cells(inst)
        if not cells or any(c["width"] <= 0 or "base" not in c for c in cells):
            fail("the header after loading the edited setup and a run: " + repr(cells)[:800])
        picture = os.path.join(work, "host.png")
        inst.write(f'SYSTem:UI:SCReenshot "{picture}"')
        if inst.query("SYSTem:ERRor?") != '0,"No error"':
            fail("screenshot")
        with open(picture, "rb") as png:
            if png.read(8) != b"\x89PNG\r\n\x1a\n":
                fail("the screenshot is no PNG")
        inst.write("SYSTem:EXIT")
        inst.close()
        try:
            status = app.wait(timeout=30)
        except subprocess.TimeoutExpired:
            fail("cvx-host did not quit on SYSTem:EXIT")
        if status != 0:
            log.seek(0)
            fail(f"cvx-host exited with {status}:\n" + log.read())
        left = [f for root, _, files in os.walk(state) for f in files if f.endswith(".tmp")]
        if left:
            fail("paging files left behind: " + repr(left))
        print("ok: 1 difference counted, dump and screenshot read, clean exit")
    finally:
        if app is not None and app.poll() is None:
            app.kill()
            app.wait()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
