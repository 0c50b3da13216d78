#!/usr/bin/python3
"""End-to-end run of the real ZAT_VQX program.

The built program is copied into a temporary folder (so it keeps its data
beside itself), started with a temporary HOME on a private Xvfb display and
driven with xdotool key presses only: no mouse click, no widget picked by name.
What it wrote is then checked byte for byte.

Each scenario is a function that gets a fresh desk (program folder, HOME,
program process) on the shared display; steps are small functions that
scenarios chain.

    e2e_test.py --program build/ci/src/app/ZAT_VQX [--keep] [scenario ...]

On failure the screen is saved as a PNG in the scenario's temporary folder,
which is kept and printed.
"""

import argparse
import ctypes
import datetime
import os
import re
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import traceback
import urllib.parse
from pathlib import Path

SCREEN = "1366x768x24"
MAIN_TITLE = r"^ZAT VQX   Diplome Ondrelle Revision"
STATION_TITLE = r"^Selection Indicatif$"
BOX_TITLE = "ZAT_VQX"  # every message box carries the program's title

# Waits, in seconds. Generous: a slow shared CI machine may take long to start
# a Qt program; nothing here sleeps a fixed time.
START_TIMEOUT = 60
RUN_TIMEOUT = 240  # the whole run, below the ctest limit, so cleanup always happens
WINDOW_TIMEOUT = 30
FILE_TIMEOUT = 20
TOOL_TIMEOUT = 30
KEY_DELAY_MS = "40"

CRLF = b"\r\n"


class Failure(Exception):
    pass


class Stopped(Failure):
    """The run is out of time or was told to stop: no further scenario runs."""


def _own_session():
    """In the child before exec: its own process group, killed if this script dies."""
    os.setsid()
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def step(text):
    print(f"[e2e] {text}", flush=True)


def tool(*args, timeout=TOOL_TIMEOUT, check=True, env=None):
    """Runs one X tool with a time limit and returns its stdout."""
    try:
        done = subprocess.run(args, capture_output=True, text=True, timeout=timeout, env=env)
    except subprocess.TimeoutExpired:
        raise Failure(f"{' '.join(args)}: no answer within {timeout} s")
    if check and done.returncode != 0:
        raise Failure(f"{' '.join(args)} failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout


def wait_for(what, predicate, timeout):
    """Polls predicate until it returns a true value; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    pause = 0.05
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(pause)
        pause = min(pause * 2, 0.5)


def utc_now():
    return datetime.datetime.now(datetime.timezone.utc).replace(tzinfo=None)


def show_bytes(data):
    if data is None:
        return "    (no file)"
    if not data:
        return "    (empty)"
    return "\n".join(f"    {line!r}" for line in data.split(CRLF))


def expect_bytes(what, actual, expected):
    if actual != expected:
        raise Failure(f"{what}: unexpected bytes\n  expected:\n{show_bytes(expected)}\n"
                      f"  found:\n{show_bytes(actual)}")


# --- The display ------------------------------------------------------------

class Display:
    """A private Xvfb on a free display number chosen by the server itself."""

    def __init__(self, folder):
        self.log = open(folder / "xvfb.log", "wb")
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT,
            preexec_fn=_own_session)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + START_TIMEOUT
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(left, 0))
                if not ready:
                    raise Failure(f"Xvfb did not start within {START_TIMEOUT} s")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise Failure(f"Xvfb ended at start, see {self.log.name}")
                number += chunk
        finally:
            os.close(read_end)
        self.name = ":" + number.decode().strip()
        # xdotool reads UTF-8 text to type only in a UTF-8 locale.
        self.env = dict(os.environ, DISPLAY=self.name, LC_ALL="C.UTF-8")
        self.env.pop("XAUTHORITY", None)
        # A French keyboard: "é" has its own key, so xdotool never remaps a key
        # while the program runs (a remapped key can reach it as nothing).
        tool("setxkbmap", "-display", self.name, "fr", env=self.env)
        # Out of the way: no hover, no tooltip, and keys never follow the pointer.
        self.x("mousemove", "0", "0")

    def x(self, *args, timeout=TOOL_TIMEOUT, check=True):
        return tool("xdotool", *args, timeout=timeout, check=check, env=self.env)

    def screenshot(self, path):
        try:
            tool("import", "-window", "root", str(path), env=self.env)
            return True
        except Failure as e:
            print(f"[e2e] no screenshot: {e}", flush=True)
            return False

    def close(self):
        stop(self.process)
        self.log.close()


def stop(process):
    """Ends a process we started, with its whole process group."""
    if process.poll() is not None:
        return
    for sig, wait in ((signal.SIGTERM, 10), (signal.SIGKILL, 10)):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(timeout=wait)
            return
        except subprocess.TimeoutExpired:
            pass


# --- One program folder with its HOME -------------------------------------------

class Desk:
    """A copy of the program in its own folder, a HOME, and the running program."""

    def __init__(self, display, program, folder):
        self.display = display
        self.folder = folder
        self.data = folder / "ZAT_VQX"  # the program keeps its files beside itself
        self.home = folder / "home"
        self.data.mkdir()
        shutil.copy2(program, self.data / "ZAT_VQX")
        runtime = self.home / "run"
        runtime.mkdir(parents=True)
        runtime.chmod(0o700)
        self.env = dict(display.env,
                        HOME=str(self.home),
                        XDG_CONFIG_HOME=str(self.home / ".config"),
                        XDG_DATA_HOME=str(self.home / ".local" / "share"),
                        XDG_CACHE_HOME=str(self.home / ".cache"),
                        XDG_RUNTIME_DIR=str(runtime),
                        QT_QPA_PLATFORM="xcb",
                        # No session bus: nothing may start a bus daemon that outlives the test.
                        DBUS_SESSION_BUS_ADDRESS="disabled:")
        for name in ("XDG_CONFIG_DIRS", "XDG_DATA_DIRS", "SESSION_MANAGER", "QT_QPA_PLATFORMTHEME"):
            self.env.pop(name, None)
        self.processes = []
        self.program = None
        self.main = None

    def start(self):
        """Starts one more copy of the program on this folder and returns its process."""
        n = len(self.processes) + 1
        out = open(self.folder / f"program{n}.log", "wb")
        process = subprocess.Popen([str(self.data / "ZAT_VQX")], cwd=self.folder, env=self.env,
                                   stdout=out, stderr=subprocess.STDOUT, preexec_fn=_own_session)
        out.close()
        self.processes.append(process)
        if self.program is None:
            self.program = process
        return process

    def close(self):
        for process in reversed(self.processes):
            stop(process)

    def program_output(self):
        text = []
        for n in range(1, len(self.processes) + 1):
            path = self.folder / f"program{n}.log"
            if path.exists():
                text.append(f"--- program {n} output ---\n" +
                            path.read_text(errors="replace")[-4000:])
        return "\n".join(text)

    # Windows of one program process, as X sees them.

    def windows(self, process=None):
        """Visible top-level windows of the process: a list of (id, title, is_popup)."""
        process = process or self.program
        if process.poll() is not None:
            raise Failure(f"the program ended (exit status {process.returncode})")
        # --all: xdotool matches any one condition unless told otherwise.
        out = self.display.x("search", "--all", "--onlyvisible", "--pid", str(process.pid),
                             "--name", ".", check=False)
        found = []
        for wid in out.split():
            title = self.display.x("getwindowname", wid, check=False).rstrip("\n")
            info = tool("xwininfo", "-id", wid, env=self.display.env, check=False)
            found.append((wid, title, "Override Redirect State: yes" in info))
        return found

    def wait_window(self, what, title_pattern, process=None, timeout=WINDOW_TIMEOUT):
        """Waits for a visible window whose title matches, gives it the keyboard, returns its id."""
        def look():
            for wid, title, popup in self.windows(process):
                if not popup and re.search(title_pattern, title):
                    return wid
            return None
        wid = wait_for(what, look, timeout)
        self.focus(wid)
        return wid

    def wait_box(self, what, process=None, timeout=WINDOW_TIMEOUT):
        """Waits for a message box and gives it the keyboard."""
        return self.wait_window(what, "^" + re.escape(BOX_TITLE) + "$", process, timeout)

    def wait_gone(self, what, wid, process=None):
        wait_for(what, lambda: all(w != wid for w, _, _ in self.windows(process)), WINDOW_TIMEOUT)

    def expect_no_main_window(self):
        # The main window waits until the station is chosen.
        if any(re.search(MAIN_TITLE, title) for _, title, _ in self.windows()):
            raise Failure("the main window is shown before the station is chosen")

    def focus(self, wid):
        # No window manager runs: the test hands the keyboard to the window as one would.
        self.display.x("windowfocus", "--sync", wid, timeout=WINDOW_TIMEOUT)

    def answer_box(self, what, keys="Return"):
        """Waits for a message box, answers it with the given keys, waits for it to close."""
        box = self.wait_box(what)
        self.keys(keys)
        self.wait_gone(f"the message box ({what}) to close", box)
        if self.main:
            self.focus(self.main)

    # Keys.

    def type(self, text):
        self.display.x("type", "--delay", KEY_DELAY_MS, text)

    def keys(self, *names):
        for name in names:
            self.display.x("key", "--delay", KEY_DELAY_MS, *name.split())

    # Files.

    def log_path(self, station):
        return self.data / f"{station}_VQX.log"

    def wait_size(self, what, path, size, timeout=FILE_TIMEOUT):
        """Waits until the file holds size bytes and returns them."""
        def sized():
            try:
                return path.stat().st_size == size
            except FileNotFoundError:
                return False
        try:
            wait_for(what, sized, timeout)
        except Failure:
            found = path.read_bytes() if path.exists() else None
            raise Failure(f"timed out after {timeout} s waiting for {what}: {path.name} should "
                          f"hold {size} bytes, it holds\n{show_bytes(found)}")
        return path.read_bytes()

    def wait_exists(self, what, path, timeout=FILE_TIMEOUT):
        """Waits for the file and returns its bytes."""
        wait_for(f"{what} ({path.name})", path.exists, timeout)
        return path.read_bytes()

    def setting(self, section, key):
        """One value of the program's settings file, None when absent."""
        files = list((self.home / ".config").rglob("VQX.ini"))
        if len(files) != 1:
            return None
        current = None
        for line in files[0].read_text(encoding="utf-8", errors="replace").splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = urllib.parse.unquote(line[1:-1])
            elif "=" in line and current == section:
                k, v = line.split("=", 1)
                if urllib.parse.unquote(k) == key:
                    return v.strip().strip('"')
        return None


# --- What the files must hold -------------------------------------------------

def qso_line(call, dpt, prenom, ref, date, heure, mode, band, rst_r, rst_e, fountain, qsl):
    """One 107-character log line, as bytes with its CR LF."""
    text = " ".join([call.ljust(12), dpt.ljust(2), prenom.ljust(15), ref.ljust(7), date, heure,
                     mode.ljust(3), band.ljust(7), rst_r.ljust(3), rst_e.ljust(3),
                     fountain.ljust(30), "*" if qsl else " "])
    assert len(text) == 107, text
    return text.encode("cp1252") + CRLF


def adif_record(line):
    """The ADIF record a log line must become (decoded line, without CR LF)."""
    def cut(start, width):
        return line[start - 1:start - 1 + width].strip()
    date, heure = cut(41, 8), cut(50, 5)
    # ADIF band names by frequency; only the band this run uses.
    bands = {"1.8 Mhz": "160m"}
    fields = [("CALL", cut(1, 12)), ("STATE", cut(14, 2)), ("NAME", cut(17, 15)),
              ("SIG", cut(33, 7)), ("QSO_DATE", "20" + date[6:8] + date[3:5] + date[0:2]),
              ("TIME_ON", heure[0:2] + heure[3:5]), ("MODE", cut(56, 3)),
              ("BAND", bands[cut(60, 7)]), ("RST_RCVD", cut(68, 3)), ("RST_SENT", cut(72, 3)),
              ("SIG_INFO", cut(76, 30)), ("QSL_RCVD", "Y" if line[106] == "*" else "N")]
    return " ".join(f"<{tag}:{len(value)}>{value}" for tag, value in fields) + "<eor>"


def check_stamp(line, before, after):
    """The date and time of a line come from the UTC clock between before and after."""
    date, heure = line[40:48].decode("cp1252"), line[49:54].decode("cp1252")
    try:
        stamp = datetime.datetime.strptime(f"{date} {heure}", "%d/%m/%y %H:%M")
    except ValueError:
        raise Failure(f"date and time {date!r} {heure!r} of the recorded line are not dd/mm/yy hh:mm")
    minute = datetime.timedelta(minutes=1)
    low = before.replace(second=0, microsecond=0) - minute
    high = after.replace(second=0, microsecond=0) + minute
    if not low <= stamp <= high:
        raise Failure(f"the recorded line is dated {date} {heure}, "
                      f"the contact was typed between {before:%d/%m/%y %H:%M} and {after:%d/%m/%y %H:%M} UTC")
    return date, heure


# --- Steps ------------------------------------------------------------------------

STATION = "F4ABC_P"  # typed as f4abc/p
STATION_SHOWN = "F4ABC/P"


def first_start(desk):
    """No settings yet: the first-run message, then the station window, shown modally."""
    step("first start: waiting for the first-run message")
    desk.start()
    box = desk.wait_box("the first-run message", timeout=START_TIMEOUT)
    desk.expect_no_main_window()
    desk.keys("Return")
    desk.wait_gone("the first-run message to close", box)

    step("first start: the station window, callsign f4abc/p, Enter, Enter on the button")
    station = desk.wait_window("the station window", STATION_TITLE)
    desk.expect_no_main_window()
    desk.type("f4abc/p")
    # Enter in the field moves to the button; Enter on the button validates.
    desk.keys("Return", "Return")
    desk.wait_gone("the station window to close", station)

    log = desk.wait_size("the new empty log", desk.log_path(STATION), 0)
    expect_bytes("the new log", log, b"")
    others = sorted(p.name for p in desk.data.glob("*_VQX.log") if p.name != f"{STATION}_VQX.log")
    if others:
        raise Failure(f"other logs were created: {others}")
    desk.main = desk.wait_window("the main window", MAIN_TITLE)


def record_contact(desk):
    """One contact typed field by field and recorded with Yes."""
    log_path = desk.log_path(STATION)
    prenoms = desk.data / "Liste_Prenom.txt"
    section = f"Setup {STATION}"

    step("contact: Ind_A f5xyz, Prenom_A rené, Ref_A 31fa001, Enter in Dpt_A")
    before = utc_now()
    desk.type("f5xyz")
    desk.keys("Return")
    desk.type("rené")
    desk.keys("Return")
    desk.type("31fa001")
    desk.keys("Return")
    # Dpt_A holds 31 from the reference; Enter takes the date and time from the clock.
    desk.keys("Return")

    step("contact: Mode_A typed over with cw, Enter")
    desk.keys("ctrl+a")
    desk.type("cw")
    desk.keys("Return")
    # The mode typed is remembered for the station: the first file that shows
    # whether Mode_A took the keys and Enter.
    try:
        wait_for("the mode", lambda: desk.setting(section, "Mode Utilise") == "1", FILE_TIMEOUT)
    except Failure:
        raise Failure('Mode_A did not take "cw" and Enter: "Mode Utilise" of the station is '
                      f'{desk.setting(section, "Mode Utilise")!r} after {FILE_TIMEOUT} s, '
                      'expected "1" (CW)')

    step("contact: RST_A 579, RSTE_A 559, Rem_A de la place, QSL_A space, Valide_A")
    desk.keys("ctrl+a")
    desk.type("579")
    desk.keys("Return", "ctrl+a")
    desk.type("559")
    desk.keys("Return")
    desk.type("de la place")  # after the "F. " put there by the reference
    desk.keys("Return", "space", "Return", "Return")

    step('contact: the question "Voulez vous enregistrer ces données ?" answered Oui (Alt+O)')
    desk.answer_box("the recording question", "alt+o")
    log = desk.wait_size("the recorded contact", log_path, 109)
    after = utc_now()

    date, heure = check_stamp(log, before, after)
    expect_bytes("the log after one contact", log,
                 qso_line("F5XYZ", "31", "RENÉ", "31FA001", date, heure, "CW", "1.8 Mhz", "579",
                          "559", "F. DE LA PLACE", True))
    expect_bytes("Liste_Prenom.txt", desk.wait_exists("the first-name directory", prenoms),
                 ("F5XYZ".ljust(12) + " 31 RENÉ").encode("cp1252") + CRLF)
    step(f"contact: recorded {date} {heure} UTC, log and first names as expected")


def refuse_same_reference(desk):
    """The same fountain on the same band is refused as already contacted."""
    log_path = desk.log_path(STATION)
    prenoms = desk.data / "Liste_Prenom.txt"
    log_before, prenoms_before = log_path.read_bytes(), prenoms.read_bytes()

    step("same reference again: Ind_A f6def, Prenom_A empty, Ref_A 31fa001")
    desk.type("f6def")
    desk.keys("Return", "Return")
    desk.type("31fa001")
    desk.keys("Return")
    desk.answer_box("the already-contacted message")

    # The contact is abandoned: the entry area is empty with the keyboard in
    # Ind_A, so Enter there asks for a callsign.
    step("same reference again: Enter in the emptied Ind_A asks for a callsign")
    desk.keys("Return")
    desk.answer_box('"Entrez un indicatif"')
    expect_bytes("the log after the refused contact", log_path.read_bytes(), log_before)
    expect_bytes("Liste_Prenom.txt after the refused contact", prenoms.read_bytes(), prenoms_before)


def export_adif(desk):
    """Fichier > Exporter le log au format ADIF, from the keyboard."""
    log = desk.log_path(STATION).read_bytes()
    adi = desk.data / f"{STATION}_VQX.adi"

    step("ADIF export: Alt+F, Enter on its first item")
    desk.keys("alt+f", "Return")
    desk.answer_box('"Le fichier a été enregistré sous le nom : ..."')
    data = desk.wait_exists("the ADIF export", adi)
    lines = data.split(CRLF)
    if len(lines) < 7 or lines[-1] != b"":
        raise Failure(f"{adi.name}: not CR LF lines with a header\n{show_bytes(data)}")
    header = lines[:6]
    expected_header = [f"Exportation du log de la station {STATION_SHOWN} au format ADIF".encode("cp1252"),
                       b"", header[2], b"", b"", b"<eoh>"]
    if not header[2] or b"<" in header[2]:
        raise Failure(f"{adi.name}: line 3 should be a credit line, found {header[2]!r}")
    records = [adif_record(line.decode("cp1252")).encode("cp1252")
               for line in log.split(CRLF) if line]
    expect_bytes(adi.name, data, CRLF.join(expected_header + records) + CRLF)
    expect_bytes("the log after the export", desk.log_path(STATION).read_bytes(), log)


def adi_field(tag, value):
    """One ADIF field, its length in characters (the text is written in UTF-8)."""
    return f"<{tag}:{len(value)}>{value} "


def import_adif(desk):
    """Fichier > Importer un fichier ADIF..., a file chosen in the file dialog, the
    refused list saved, the summary closed: all from the keyboard."""
    log_path = desk.log_path(STATION)
    prenoms = desk.data / "Liste_Prenom.txt"
    adif = desk.data / "autre.adi"
    records = [
        [("CALL", "F5XYZ"), ("QSO_DATE", "20210605"), ("TIME_ON", "143210"), ("BAND", "20m"),
         ("MODE", "SSB"), ("SUBMODE", "USB"), ("RST_SENT", "59"), ("RST_RCVD", "57"),
         ("NAME", "René"), ("SIG", "VQX"), ("SIG_INFO", "31fa001"), ("COMMENT", "F. de la place"),
         ("QSL_RCVD", "Y")],
        [("CALL", "f6def"), ("QSO_DATE", "20210604"), ("TIME_ON", "0930"), ("FREQ", "7.012"),
         ("MODE", "CW"), ("SIG", "VQX"), ("SIG_INFO", "2AFT002"), ("QSL_RCVD", "N")],
        [("CALL", "F7GHI"), ("QSO_DATE", "20210606"), ("TIME_ON", "1000"), ("BAND", "60m"),
         ("MODE", "SSB"), ("SIG", "VQX"), ("SIG_INFO", "13FA010")],
        [("CALL", "K1ABC"), ("QSO_DATE", "20210606"), ("TIME_ON", "1100"), ("BAND", "20m"),
         ("MODE", "SSB"), ("SIG", "POTA"), ("SIG_INFO", "K-0001")],
    ]
    text = "Exporte par un autre logiciel\r\n<EOH>\r\n" + "".join(
        "".join(adi_field(t, v) for t, v in r) + "<EOR>\r\n" for r in records)
    adif.write_bytes(text.encode("utf-8"))

    step("ADIF import: Alt+F, I, the file's path typed in the file dialog, Enter")
    desk.keys("alt+f", "i")
    dialog = desk.wait_window("the file dialog", r"^Importer un fichier ADIF$")
    desk.type(str(adif))
    desk.keys("Return")
    desk.wait_gone("the file dialog to close", dialog)
    summary = desk.wait_window("the import summary", r"^Import ADIF$")

    # In date order; the department from the reference, Corsica in lower case;
    # reports absent in CW are 599.
    log = desk.wait_size("the imported contacts", log_path, 2 * 109)
    expect_bytes("the log after the import", log,
                 qso_line("F6DEF", "2a", "", "2AFT002", "04/06/21", "09:30", "CW", "7.0 Mhz",
                          "599", "599", "", False) +
                 qso_line("F5XYZ", "31", "RENÉ", "31FA001", "05/06/21", "14:32", "SSB", "14 Mhz",
                          "57", "59", "F. DE LA PLACE", True))
    expect_bytes("Liste_Prenom.txt", desk.wait_exists("the first-name directory", prenoms),
                 ("F5XYZ".ljust(12) + " 31 RENÉ").encode("cp1252") + CRLF)

    step("ADIF import: Alt+L saves the refused list under the name offered, Enter")
    desk.keys("alt+l")
    save = desk.wait_window("the save dialog", r"^Enregistrer la liste des refus$")
    desk.keys("Return")
    desk.wait_gone("the save dialog to close", save)
    box = desk.wait_box('"La liste a été enregistrée sous le nom : autre_refus.txt"')
    desk.keys("Return")
    desk.wait_gone("the message to close", box)
    expect_bytes("autre_refus.txt", desk.wait_exists("the refused list", desk.data / "autre_refus.txt"),
                 ("Enregistrements refusés à l'import du fichier autre.adi dans le log de la "
                  f"station {STATION_SHOWN}\r\n\r\n"
                  "Enregistrement 3 (F7GHI, 06/06/2021 10:00) : bande (BAND) « 60m » absente de "
                  "la liste des bandes\r\n"
                  "    " + "".join(adi_field(t, v) for t, v in records[2]) + "<EOR>\r\n"
                  ).encode("utf-8"))

    step("ADIF import: Enter closes the summary")
    desk.focus(summary)
    desk.keys("Return")
    desk.wait_gone("the summary to close", summary)
    expect_bytes("the log after the summary", log_path.read_bytes(), log)


def snapshot(*folders):
    """Every file under the folders: its bytes and modification time."""
    files = {}
    for folder in folders:
        for path in sorted(folder.rglob("*")):
            if path.is_file():
                files[str(path)] = (path.read_bytes(), path.stat().st_mtime_ns)
    return files


def expect_unchanged(what, before, after):
    if before != after:
        changed = sorted(set(before) ^ set(after) |
                         {p for p in set(before) & set(after) if before[p] != after[p]})
        raise Failure(f"{what}: files changed: {', '.join(changed)}")


def refuse_second_program(desk):
    """A second ZAT_VQX on the same folder says so and ends; nothing changes."""
    lock = desk.data / "ZAT_VQX.lock"
    holder = wait_for("the lock of the first program", lambda: lock.exists() and lock.read_bytes(),
                      FILE_TIMEOUT)
    if holder.split(b"\n")[0] != str(desk.program.pid).encode():
        raise Failure(f"ZAT_VQX.lock names another process:\n{show_bytes(holder)}")
    before = snapshot(desk.data, desk.home / ".config")

    step("second program: started on the same folder, its message answered with Enter")
    second = desk.start()
    box = desk.wait_box("the refusal of the second program", process=second, timeout=START_TIMEOUT)
    if any(re.search(MAIN_TITLE, title) for _, title, _ in desk.windows(second)):
        raise Failure("the second program shows a main window")
    expect_unchanged("while the second program shows its message", before,
                     snapshot(desk.data, desk.home / ".config"))
    desk.focus(box)
    desk.keys("Return")
    try:
        code = second.wait(timeout=WINDOW_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise Failure(f"the second program did not end within {WINDOW_TIMEOUT} s of its message")
    if code != 3:
        raise Failure(f"the second program ended with status {code}, expected 3 (refused)")
    expect_unchanged("after the second program ended", before,
                     snapshot(desk.data, desk.home / ".config"))
    expect_bytes("ZAT_VQX.lock after the refusal", lock.read_bytes(), holder)
    step("second program: refused with status 3, no file touched; the first one goes on")
    desk.focus(desk.main)


def undo_last_change(desk):
    """Fichier > Annuler la dernière modification, by its shortcut, answered Oui."""
    log_path = desk.log_path(STATION)
    recorded = log_path.read_bytes()
    step("undo: Ctrl+Shift+Backspace from Ind_A, the question answered Oui (Alt+O)")
    desk.keys("ctrl+shift+BackSpace")
    desk.answer_box("the undo question", "alt+o")
    expect_bytes("the log after the undo", desk.wait_size("the log emptied again", log_path, 0),
                 b"")
    # The message that says how to go back names the copy taken just before.
    step("undo: the message saying what was undone, closed with Enter")
    desk.answer_box("the message after the undo")
    copies = sorted((desk.data / "Sauvegardes").glob(f"{STATION}_VQX_*_avant_annulation.log"))
    if len(copies) != 1:
        raise Failure(f"one copy marked avant_annulation expected, found {[c.name for c in copies]}")
    expect_bytes(copies[0].name, copies[0].read_bytes(), recorded)


def leave_window_with_escape(desk):
    """Diplomes > HF from the keyboard, Escape; the keyboard is back in Ind_A by itself."""
    step("Escape: Alt+I, H opens Diplomes VQX, where no button is enabled; Escape closes it")
    desk.keys("alt+i", "h")
    awards = desk.wait_window("the award window", r"^Diplomes VQX$")
    desk.keys("Escape")
    desk.wait_gone("the award window to close on Escape", awards)
    # No desk.focus(desk.main) here: the program hands the keyboard back.


def choose_band_typed(desk):
    """Shift+Tab from Ind_A to Bande_A, "14 mhz" typed over the band shown, Enter."""
    section = f"Setup {STATION}"
    step('band: Shift+Tab to Bande_A, "14 mhz" typed over "1.8 Mhz", Enter')
    desk.keys("shift+Tab")
    desk.type("14 mhz")
    desk.keys("Return")
    # The band typed is the list's "14 Mhz", fifth of the list.
    try:
        wait_for("the band", lambda: desk.setting(section, "bande Utilisee") == "4", FILE_TIMEOUT)
    except Failure:
        raise Failure('Bande_A did not make "14 mhz" the band "14 Mhz": "bande Utilisee" of the '
                      f'station is {desk.setting(section, "bande Utilisee")!r}, expected "4"')


def type_contact(desk, call, prenom, ref, fountain, qsl, lines_before):
    """A contact typed from Ind_A to Valide_A with Enter, the values shown kept; recorded."""
    log_path = desk.log_path(STATION)
    step(f"contact: {call}, {prenom or 'no first name'}, {ref}, {fountain or 'no name'}, "
         f"{'QSL' if qsl else 'no QSL'}; Enter through the fields, Enter on Valide_A")
    before = utc_now()
    desk.type(call)
    desk.keys("Return")
    if prenom:
        desk.type(prenom)
    desk.keys("Return")
    desk.type(ref)
    # Ref_A, then Dpt_A (date and time from the clock), Mode_A, RST_A, RSTE_A.
    desk.keys("Return", "Return", "Return", "Return", "Return")
    if fountain:
        desk.type(fountain)
    desk.keys("Return")
    if qsl:
        desk.keys("space")
    desk.keys("Return", "Return")
    desk.answer_box("the recording question", "alt+o")
    log = desk.wait_size(f"the contact {call}", log_path, 109 * (lines_before + 1))
    return log, before, utc_now()


def keyboard_evening(desk):
    """Two contacts, one modified from the list, then found by the search and deleted."""
    log_path = desk.log_path(STATION)
    prenoms = desk.data / "Liste_Prenom.txt"
    choose_band_typed(desk)

    log, before, after = type_contact(desk, "f5aaa", "jean", "31fa001", "du parc", False, 0)
    date1, heure1 = check_stamp(log, before, after)
    line1 = qso_line("F5AAA", "31", "JEAN", "31FA001", date1, heure1, "SSB", "14 Mhz", "59", "59",
                     "F. DU PARC", False)
    expect_bytes("the log after the first contact", log, line1)
    log, before, after = type_contact(desk, "f6bbb", "", "75ft002", "", True, 1)
    date2, heure2 = check_stamp(log[109:], before, after)
    line2 = qso_line("F6BBB", "75", "", "75FT002", date2, heure2, "SSB", "14 Mhz", "59", "59",
                     "F.", True)
    expect_bytes("the log after the second contact", log, line1 + line2)

    # Ind_A has the keyboard: Shift+Tab reaches Bande_A, then the list, whose
    # current line is the newest contact.
    step("modification: Shift+Tab twice to the list, Up to the first contact, Enter")
    desk.keys("shift+Tab", "shift+Tab", "Up", "Return")
    step('modification: Enter in Ind_A, "paul" typed over "JEAN", Enter up to RST_A')
    desk.keys("Return")
    desk.type("paul")
    # Prenom_A, Ref_A, Dpt_A, Date_A, Heure_A, Mode_A.
    desk.keys("Return", "Return", "Return", "Return", "Return", "Return")
    step('modification: "57" typed over "59" in RST_A, "du lavoir" after "F. ", Valide_A')
    desk.type("57")
    desk.keys("Return", "Return")
    desk.type("du lavoir")
    desk.keys("Return", "Return", "Return")
    desk.answer_box("the recording question of the modification", "alt+o")
    modified = qso_line("F5AAA", "31", "PAUL", "31FA001", date1, heure1, "SSB", "14 Mhz", "57",
                        "59", "F. DU LAVOIR", False)
    wait_for("the modification in the log", lambda: log_path.read_bytes() != line1 + line2,
             FILE_TIMEOUT)
    expect_bytes("the log after the modification", log_path.read_bytes(), modified + line2)
    expect_bytes("Liste_Prenom.txt after the modification", prenoms.read_bytes(),
                 ("F5AAA".ljust(12) + " 31 PAUL").encode("cp1252") + CRLF +
                 ("F6BBB".ljust(12) + " 75 ").encode("cp1252") + CRLF)

    # Back in Ind_A after the recording: Shift+Tab three times is the button
    # "Rechercher un QSO", just before the list.
    step('search: Shift+Tab three times to "Rechercher un QSO", space')
    desk.keys("shift+Tab", "shift+Tab", "shift+Tab", "space")
    search = desk.wait_window("the search window", r"^Rechercher un QSO$")
    # Backwards from the callsign field: its option "Indicatif", the button
    # "Quitter", then the results, whose first line becomes the current one.
    step("search: f5aaa, Enter; Shift+Tab three times to the results, Enter on the first")
    desk.type("f5aaa")
    desk.keys("Return", "shift+Tab", "shift+Tab", "shift+Tab", "Return")
    desk.wait_gone("the search window to close", search)
    desk.focus(desk.main)

    # The contact found is the list's selected line: "Supprimer un QSO",
    # two Shift+Tab from the search button, deletes it and nothing else.
    step('jump: Shift+Tab twice from "Rechercher un QSO" to "Supprimer un QSO", space, Oui')
    desk.keys("shift+Tab", "shift+Tab", "space")
    desk.answer_box('the question "Voulez vous Supprimer ce QSO ?"', "alt+o")
    log = desk.wait_size("the deletion of the contact found", log_path, 109)
    expect_bytes("the log after deleting the contact found", log, line2)


def refuse_read_only_log(desk):
    """The operator made the log read-only: a contact typed and Valide_A is refused with a
    message, and the log keeps its bytes and its mode."""
    log_path = desk.log_path(STATION)
    prenoms = desk.data / "Liste_Prenom.txt"
    log_path.chmod(0o444)
    log_before, mode_before = log_path.read_bytes(), log_path.stat().st_mode
    prenoms_before = prenoms.read_bytes()

    step("read-only log: Ind_A f6ro, Ref_A 75fa010, Enter through the fields, Valide_A, Oui")
    desk.type("f6ro")
    desk.keys("Return", "Return")
    desk.type("75fa010")
    desk.keys("Return", "Return", "Return", "Return", "Return", "Return", "Return", "Return")
    desk.answer_box("the recording question", "alt+o")
    desk.answer_box("the read-only message")
    expect_bytes("the read-only log", log_path.read_bytes(), log_before)
    if log_path.stat().st_mode != mode_before:
        raise Failure(f"the read-only log changed its mode to {oct(log_path.stat().st_mode)}")
    expect_bytes("Liste_Prenom.txt beside the read-only log", prenoms.read_bytes(), prenoms_before)


class SpotNode:
    """A DX-cluster node on 127.0.0.1: asks for the callsign, then sends its lines."""

    def __init__(self, lines):
        self.lines = lines
        self.login = None
        self.heard = b""
        self.server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.server.bind(("127.0.0.1", 0))
        self.server.listen(1)
        self.port = self.server.getsockname()[1]
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def _serve(self):
        try:
            peer, _ = self.server.accept()
        except OSError:
            return
        with peer:
            peer.sendall(b"\xff\xfb\x01login: ")
            peer.settimeout(0.2)
            while True:
                try:
                    data = peer.recv(4096)
                except socket.timeout:
                    continue
                except OSError:
                    return
                if not data:
                    return
                self.heard += data
                if self.login is None and b"\r\n" in self.heard:
                    self.login = self.heard.split(b"\r\n")[0].lstrip(b"\xff\xfe\x01").decode()
                    peer.sendall(b"Hello, this is the test node\r\n" +
                                 b"".join(line.encode() + b"\a\r\n" for line in self.lines))

    def close(self):
        self.server.close()


def spots_to_entry(desk):
    """A node spots a needed fountain; Enter on it in "Spots VQX" fills the entry; recorded,
    the same spot is worked."""
    spot = ("DX de F4XYZ:     14025.0  TM31F        VQX 31-FA-001 fontaine         1234Z JN03")
    node = SpotNode([spot, "DX de F4XYZ:     14074.0  DL1AA        FT8 -12 dB   1235Z"])
    try:
        step("spots: Trafic > Spots VQX (Alt+T, S), node 127.0.0.1 typed, Alt+C connects")
        desk.keys("alt+t", "s")
        spots = desk.wait_window("the spots window", r"^Spots VQX \(aucune à contacter\)$")
        desk.keys("alt+a")
        desk.type("127.0.0.1")
        desk.keys("alt+p", "ctrl+a")
        desk.type(str(node.port))
        desk.keys("alt+c")
        wait_for("the login callsign", lambda: node.login is not None, WINDOW_TIMEOUT)
        if node.login != "F4ABC":
            raise Failure(f"the node was given the login {node.login!r}, expected 'F4ABC'")
        step("spots: the spot of 31FA001 on 14 Mhz is shown as Nouvelle")
        desk.wait_window("the needed spot", r"^Spots VQX \(1 à contacter\)$")
        desk.display.screenshot(desk.folder / "spots.png")

        step("spots: Alt+T to the list, Enter: the entry waits in Mode_A")
        before = utc_now()
        desk.keys("alt+t", "Return")
        desk.focus(desk.main)
        # CW from the band plan is confirmed, then the reports, the name, the QSL box.
        desk.keys("Return", "Return", "Return", "Return", "Return", "Return")
        desk.answer_box("the recording question", "alt+o")
        log = desk.wait_size("the contact from the spot", desk.log_path(STATION), 109)
        after = utc_now()
        date, heure = check_stamp(log, before, after)
        expect_bytes("the log after the spot", log,
                     qso_line("TM31F", "31", "", "31FA001", date, heure, "CW", "14 Mhz", "599",
                              "599", "F.", False))
        step("spots: the same spot is now Déjà contactée")
        desk.wait_window("the worked spot", r"^Spots VQX \(aucune à contacter\)$")
        desk.display.screenshot(desk.folder / "spots_worked.png")
    finally:
        node.close()


class Rigctld:
    """Hamlib's dummy radio, rigctld -m 1, on a free port of 127.0.0.1."""

    def __init__(self, folder):
        import socket
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.log = open(folder / "rigctld.log", "wb")
        self.process = subprocess.Popen(
            ["rigctld", "-m", "1", "-T", "127.0.0.1", "-t", str(self.port)],
            stdout=self.log, stderr=subprocess.STDOUT, preexec_fn=_own_session)

        def listening():
            with socket.socket() as s:
                return s.connect_ex(("127.0.0.1", self.port)) == 0
        wait_for("rigctld to listen", listening, START_TIMEOUT)

    def turn(self, hz, mode, passband=500):
        """The dial turned as an operator would, through rigctl."""
        tool("rigctl", "-m", "2", "-r", f"127.0.0.1:{self.port}", "F", str(hz), "M", mode,
             str(passband))

    def close(self):
        stop(self.process)
        self.log.close()


def radio_fills_band_and_mode(desk):
    """Trafic > Poste radio... turned on from the keyboard, the dial turned with rigctl,
    a contact typed: the line holds the radio's band and mode."""
    if not shutil.which("rigctld") or not shutil.which("rigctl"):
        raise Failure("rigctld and rigctl are missing: scripts/setup installs libhamlib-utils")
    section = f"Setup {STATION}"
    radio = Rigctld(desk.folder)
    try:
        step("radio: Alt+T, Enter on Poste radio..., the box ticked, the port typed, Enter")
        desk.keys("alt+t", "Return")
        window = desk.wait_window("the rig window", r"^Poste radio$")
        desk.keys("space", "Tab", "Tab", "ctrl+a")
        desk.type(str(radio.port))
        desk.keys("Return")
        desk.wait_gone("the rig window to close", window)
        desk.focus(desk.main)
        wait_for("the rig settings", lambda: desk.setting(section, "Poste Actif") == "Oui",
                 FILE_TIMEOUT)

        step("radio: rigctl turns the dial to 7 013 500 Hz CW")
        radio.turn(7013500, "CW")
        # The band and the mode taken from the radio are remembered as if chosen.
        try:
            wait_for("the radio's band and mode",
                     lambda: (desk.setting(section, "bande Utilisee"),
                              desk.setting(section, "Mode Utilise")) == ("2", "1"),
                     FILE_TIMEOUT)
        except Failure:
            raise Failure('the radio did not fill the entry: "bande Utilisee" is '
                          f'{desk.setting(section, "bande Utilisee")!r}, "Mode Utilise" '
                          f'{desk.setting(section, "Mode Utilise")!r}, expected "2" and "1"')

        log, before, after = type_contact(desk, "f5xyz", "", "31fa001", "", False, 0)
        date, heure = check_stamp(log, before, after)
        expect_bytes("the log after the contact", log,
                     qso_line("F5XYZ", "31", "", "31FA001", date, heure, "CW", "7.0 Mhz", "599",
                              "599", "F.", False))
    finally:
        radio.close()


# --- Scenarios ----------------------------------------------------------------------

def scenario_first_contact(desk):
    """First start, a station, one contact, the same fountain refused, the ADIF export, a
    contact refused once the log is read-only."""
    first_start(desk)
    record_contact(desk)
    refuse_same_reference(desk)
    export_adif(desk)
    refuse_read_only_log(desk)


def scenario_import_adif(desk):
    """First start, then the VQX contacts of another logger's ADIF file imported."""
    first_start(desk)
    import_adif(desk)


def scenario_second_program(desk):
    """A second program on the same folder is refused; the first keeps working."""
    first_start(desk)
    refuse_second_program(desk)
    record_contact(desk)


def scenario_undo(desk):
    """A window left with Escape, a contact typed at once, then undone from the keyboard: the
    log is as before, and the copy taken just before the undo holds the contact."""
    first_start(desk)
    leave_window_with_escape(desk)
    record_contact(desk)
    undo_last_change(desk)


def scenario_keyboard_evening(desk):
    """Without the mouse: first start, a typed band, two contacts, a modification from the
    list, a search whose result is selected in the list."""
    first_start(desk)
    keyboard_evening(desk)


def scenario_radio(desk):
    """First start, rig control turned on, the dial turned, a contact typed."""
    first_start(desk)
    radio_fills_band_and_mode(desk)


def scenario_cluster_spots(desk):
    """First start, a spot of a needed fountain from a node on 127.0.0.1 taken into the entry
    from the keyboard, recorded, then shown as worked."""
    first_start(desk)
    spots_to_entry(desk)


SCENARIOS = {
    "first_contact": scenario_first_contact,
    "import_adif": scenario_import_adif,
    "second_program": scenario_second_program,
    "undo": scenario_undo,
    "keyboard_evening": scenario_keyboard_evening,
    "radio": scenario_radio,
    "cluster_spots": scenario_cluster_spots,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the built ZAT_VQX")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folders")
    parser.add_argument("scenarios", nargs="*", help=f"among {', '.join(SCENARIOS)} (default: all)")
    args = parser.parse_args()

    names = args.scenarios or list(SCENARIOS)
    unknown = [n for n in names if n not in SCENARIOS]
    if unknown:
        parser.error(f"unknown scenario(s): {', '.join(unknown)}")
    program = Path(args.program).resolve()
    if not program.is_file():
        print(f"[e2e] {program} not found: build the ZAT_VQX target first", file=sys.stderr)
        return 1
    missing = [t for t in ("Xvfb", "setxkbmap", "xdotool", "xwininfo", "import") if not shutil.which(t)]
    if missing:
        print(f"[e2e] missing {', '.join(missing)}: run scripts/setup", file=sys.stderr)
        return 1

    def out_of_time(signum, frame):
        raise Stopped(f"signal {signum}: the run is stopped" if signum != signal.SIGALRM
                      else f"the whole run took more than {RUN_TIMEOUT} s")
    for sig in (signal.SIGALRM, signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sig, out_of_time)
    signal.alarm(RUN_TIMEOUT)

    root = Path(tempfile.mkdtemp(prefix="zat_vqx_e2e."))
    failed = []
    display = None
    try:
        display = Display(root)
        step(f"Xvfb on display {display.name}, temporary folder {root}")
        for name in names:
            folder = root / name
            folder.mkdir()
            desk = Desk(display, program, folder)
            step(f"=== scenario {name}: {SCENARIOS[name].__doc__}")
            try:
                SCENARIOS[name](desk)
                step(f"=== scenario {name}: passed")
            except Exception as e:
                shot = folder / "failure.png"
                saved = display.screenshot(shot)
                detail = str(e) if isinstance(e, Failure) else traceback.format_exc()
                print(f"[e2e] === scenario {name}: FAILED\n{detail}", flush=True)
                if saved:
                    print(f"[e2e] screen at the failure: {shot}", flush=True)
                print(desk.program_output(), flush=True)
                failed.append(name)
                if isinstance(e, Stopped):
                    break
            finally:
                desk.close()
    except Failure as e:
        print(f"[e2e] {e}", flush=True)
        failed.append("display")
    finally:
        if display:
            display.close()
    if failed or args.keep:
        print(f"[e2e] files kept in {root}", flush=True)
    else:
        shutil.rmtree(root, ignore_errors=True)
    if failed:
        print(f"[e2e] FAILED: {', '.join(failed)}", flush=True)
        return 1
    print("[e2e] all scenarios passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
