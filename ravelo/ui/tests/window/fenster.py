"""Drives the real program on a virtual display, as a user does.

A test starts its own X server (Xvfb), lays out a fresh program folder, starts the program
built with its Qt view, and then moves the mouse, clicks and types with xdotool: real input
through the X server. Where the widgets are and what they show it learns from the view's
probe (the socket named by $ZUBQT_PROBE). Every step can leave a screenshot in the folder
named after the test.

Every wait polls a condition with a bound; nothing waits a fixed time for the program.
"""

import contextlib
import json
import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import unittest

PROGRAM = os.environ.get("RAVELO_PROGRAM", "")
RUN_RAVELO = os.environ.get("RAVELO_RUN_SCRIPT", "")
BUILD = os.environ.get("RAVELO_BUILD", "")
SCREENS = os.environ.get("RAVELO_SCREENS", tempfile.gettempdir())
TOOLS = ("Xvfb", "xdotool", "import")
TITLE = "Quenzel 2009"


class Fehlschlag(AssertionError):
    pass


def werkzeuge_fehlen():
    return [t for t in TOOLS if shutil.which(t) is None]


def warte(bedingung, sekunden, was):
    """Polls bedingung until it returns something true; fails after the bound."""
    ende = time.monotonic() + sekunden
    while True:
        wert = bedingung()
        if wert:
            return wert
        if time.monotonic() > ende:
            raise Fehlschlag("gave up waiting for " + was)
        time.sleep(0.05)


def schnitt(a, b):
    """Whether two frames (dicts with x, y, w, h) share a pixel."""
    return (a["x"] < b["x"] + b["w"] and b["x"] < a["x"] + a["w"] and
            a["y"] < b["y"] + b["h"] and b["y"] < a["y"] + a["h"])


def abgeschnitten(c):
    """The lines of a list and the cells of a grid (the texts painted on them) that their room
    does not hold whole: a first digit under the border, the end of a date past its column."""
    fehler = []
    for t in c.get("painted", []):
        raum = t["room"]
        if t["x"] < raum["x"] or t["x"] + t["w"] > raum["x"] + raum["w"]:
            fehler.append("%s: %r cut off: %d px from x %d shown in %d px from x %d" %
                          (c["name"], t["text"], t["w"], t["x"], raum["w"], raum["x"]))
    return fehler


class Bildschirm:
    """An Xvfb server on a free display number."""

    def __init__(self, breite=1280, hoehe=1024):
        lesen, schreiben = os.pipe()
        self.prozess = subprocess.Popen(
            ["Xvfb", "-displayfd", str(schreiben), "-screen", "0", "%dx%dx24" % (breite, hoehe),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(schreiben,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(schreiben)
        nummer = b""
        with os.fdopen(lesen, "rb") as f:
            while not nummer.endswith(b"\n"):
                teil = f.read(1)
                if not teil:
                    break
                nummer += teil
        if not nummer.strip():
            self.prozess.kill()
            raise Fehlschlag("Xvfb did not start")
        self.display = ":" + nummer.decode().strip()

    def beenden(self):
        self.prozess.terminate()
        try:
            self.prozess.wait(10)
        except subprocess.TimeoutExpired:
            self.prozess.kill()


class Programm:
    """One run of the program: its folder, its process, its screen."""

    def __init__(self, test, name, argumente=("/NOSPLASH",), umgebung=None, ordner=None,
                 arbeitsordner_home=False, befehl=None, vorher=None):
        self.test = test
        self.schritt = 0
        self.bilder = os.path.join(SCREENS, name)
        shutil.rmtree(self.bilder, ignore_errors=True)
        os.makedirs(self.bilder)
        self.tmp = tempfile.mkdtemp(prefix="ravelo-window-")
        self.home = os.path.join(self.tmp, "home")
        os.makedirs(self.home)
        self.ordner = ordner or os.path.join(self.tmp, "program")
        if not os.path.isdir(self.ordner) or not os.listdir(self.ordner):
            subprocess.run([RUN_RAVELO, "--layout", self.ordner, BUILD], check=True)
        if vorher:
            vorher(self.ordner)
        self.sonde = os.path.join(self.tmp, "probe.sock")
        self.schirm = Bildschirm()
        env = dict(os.environ)
        for weg in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS"):
            env.pop(weg, None)
        env.update({
            "DISPLAY": self.schirm.display,
            "HOME": self.home,
            "XDG_DATA_HOME": os.path.join(self.home, "data"),
            "XDG_CONFIG_HOME": os.path.join(self.home, "config"),
            "XDG_RUNTIME_DIR": self.tmp,
            "RAVELO_HOME": self.ordner,
            "RAVELO_WINDIR": os.path.join(self.home, "windows"),
            "ZUBQT_PROBE": self.sonde,
            "LC_ALL": "C.UTF-8",
            "LANG": "de_DE.UTF-8",
            # No web or FTP server but the test's own.
            "RAVELO_WEB_HOST": "127.0.0.1:9",
            "RAVELO_FTP_HOST": "127.0.0.1",
            "RAVELO_FTP_PORT": "9",
            "ASAN_OPTIONS": "detect_leaks=0:abort_on_error=0",
            # The traces go to the log beside the screenshots.
            "RAVELO_DEBUG": "1",
        })
        env.update(umgebung or {})
        self.env = env
        self.log = open(os.path.join(self.bilder, "program.log"), "w+b")
        self.befehl = list(befehl or [PROGRAM]) + list(argumente)
        # Started in its folder as scripts/run-ravelo does, or in the home folder as a launcher does.
        self.prozess = subprocess.Popen(self.befehl, cwd=self.home if arbeitsordner_home else self.ordner, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)

    # ---- the program's state

    def fenster(self):
        """Every shown top-level window as the probe describes it. Asks again while the program
        is busy or not yet listening; fails when the program has ended."""
        ende = time.monotonic() + 60
        while True:
            try:
                with socket.socket(socket.AF_UNIX) as s:
                    s.settimeout(20)
                    s.connect(self.sonde)
                    s.sendall(b"windows\n")
                    daten = b""
                    while True:
                        teil = s.recv(1 << 16)
                        if not teil:
                            break
                        daten += teil
                return json.loads(daten.decode("utf-8"))["windows"]
            except (OSError, ValueError) as fehler:
                if not self.laeuft():
                    raise Fehlschlag("the program ended (status %s):\n%s" %
                                     (self.prozess.returncode, self.ausgabe()[-4000:]))
                if time.monotonic() > ende:
                    raise Fehlschlag("the program's probe does not answer: %s" % fehler)
                time.sleep(0.1)

    def laeuft(self):
        return self.prozess.poll() is None

    def formular(self, name="Form1"):
        for w in self.fenster():
            if w.get("form") == name:
                return w
        return None

    def steuerelement(self, name, form="Form1"):
        f = self.formular(form)
        if not f:
            return None
        for c in f["controls"]:
            if c["name"] == name:
                return c
        return None

    def dialog_name(self, art):
        """The name of the shown dialog of a form class ("Form7", or "Form7_1" beside a
        first one), None when none is shown."""
        for w in self.fenster():
            name = w.get("form", "")
            if name == art or name.startswith(art + "_"):
                return name
        return None

    def warte_dialog(self, art, sekunden=15):
        name = self.warte(lambda: self.dialog_name(art), sekunden, "the dialog " + art)
        return self.formular(name)

    def qt_fenster(self, klasse=None, objekt=None):
        for w in self.fenster():
            if "form" in w:
                continue
            if (klasse is None or w["class"] == klasse) and (objekt is None or w["object"] == objekt):
                return w
        return None

    def datei(self, name):
        """A file of the program folder as text lines; [] when it is missing."""
        try:
            with open(os.path.join(self.ordner, name), encoding="utf-8", errors="replace") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def archiv(self):
        return [z for z in self.datei("dorov_zahlen.txt") if z.strip()]

    def ausgabe(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read().decode("utf-8", "replace")

    # ---- waiting

    def warte(self, bedingung, sekunden, was):
        def pruefen():
            if not self.laeuft():
                raise Fehlschlag("the program ended (status %s) while waiting for %s:\n%s" %
                                 (self.prozess.returncode, was, self.ausgabe()[-4000:]))
            return bedingung()
        try:
            return warte(pruefen, sekunden, was)
        except Fehlschlag:
            if self.laeuft():
                self.bild("fehlschlag")
            raise

    def warte_formular(self, name="Form1", sekunden=30):
        return self.warte(lambda: self.formular(name), sekunden, "the window " + name)

    def warte_box(self, sekunden=30):
        """The next message box the program shows."""
        return self.warte(lambda: self.qt_fenster("QMessageBox"), sekunden, "a message box")

    def warte_text(self, name, pruefung, sekunden=30, form="Form1"):
        def da():
            c = self.steuerelement(name, form)
            return c if c and pruefung(c["text"]) else None
        return self.warte(da, sekunden, "the text of " + name)

    # ---- input

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True, timeout=20,
                       stdout=subprocess.DEVNULL)

    def zeige_auf(self, rahmen, dx=None, dy=None):
        x = rahmen["x"] + (rahmen["w"] // 2 if dx is None else dx)
        y = rahmen["y"] + (rahmen["h"] // 2 if dy is None else dy)
        # Two moves, so the widget sees the pointer enter and move over it.
        self.xdotool("mousemove", x - 1, y - 1)
        self.xdotool("mousemove", x, y)
        return x, y

    def klicke_rahmen(self, rahmen, knopf=1):
        self.zeige_auf(rahmen)
        self.xdotool("click", knopf)

    def klicke(self, name, form="Form1", sekunden=15):
        """Clicks the middle of a shown, enabled control."""
        c = self.warte(lambda: self._bedienbar(name, form), sekunden, name + " shown and enabled")
        self.klicke_rahmen(c)
        return c

    def _bedienbar(self, name, form):
        c = self.steuerelement(name, form)
        return c if c and c["shown"] and c["enabled"] else None

    def teil(self, fenster, text, art=None):
        for p in fenster.get("parts", []):
            if (art is None or p["kind"] == art) and p["text"].replace("&", "") == text:
                return p
        return None

    def druecke(self, fenster, text, sekunden=15):
        """Clicks the button or menu entry of a Qt window (a message box, a menu) by its text."""
        titel = fenster["class"]
        def finden():
            for w in self.fenster():
                if w["class"] == titel and "form" not in w:
                    p = self.teil(w, text)
                    if p:
                        return p
            return None
        p = self.warte(finden, sekunden, "'%s' in a %s" % (text, titel))
        self.klicke_rahmen(p)

    def tippe(self, name, text, form="Form1"):
        """Replaces the text of an edit as a user does: select all, type."""
        self.klicke(name, form)
        self.xdotool("key", "--clearmodifiers", "ctrl+a")
        self.xdotool("type", "--delay", "20", text)

    def taste(self, taste, titel=TITLE):
        """A key to the window of that title (given the focus first)."""
        wid = self.x_fenster(titel)
        self.xdotool("windowfocus", "--sync", wid)
        self.xdotool("key", taste)

    def x_fenster(self, titel):
        def suche():
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % titel],
                               env=self.env, capture_output=True, text=True, timeout=20)
            ids = r.stdout.split()
            return ids[-1] if ids else None
        return self.warte(suche, 15, "the X window '%s'" % titel)

    # ---- screenshots

    def bild(self, name):
        self.schritt += 1
        datei = os.path.join(self.bilder, "%02d-%s.png" % (self.schritt, name))
        subprocess.run(["import", "-window", "root", datei], env=self.env, check=False, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return datei

    def pixel_jetzt(self, rahmen):
        """The pixels of a frame as the screen shows them now (no numbered screenshot)."""
        datei = os.path.join(self.tmp, "jetzt.png")
        subprocess.run(["import", "-window", "root", datei], env=self.env, check=False, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.pixel(datei, rahmen)

    def pixel(self, datei, rahmen):
        """The RGB rows of a frame of a screenshot: a list of rows of (r, g, b)."""
        roh = subprocess.run(["convert", datei, "-crop", "%dx%d+%d+%d" % (rahmen["w"], rahmen["h"], rahmen["x"], rahmen["y"]),
                              "+repage", "-depth", "8", "rgb:-"], env=self.env, capture_output=True, check=True,
                             timeout=30).stdout
        w = rahmen["w"]
        punkte = [tuple(roh[i:i + 3]) for i in range(0, len(roh), 3)]
        return [punkte[y * w:(y + 1) * w] for y in range(len(punkte) // w)]

    # ---- the end

    def warte_ende(self, sekunden=15):
        warte(lambda: not self.laeuft(), sekunden, "the program to end")
        return self.prozess.returncode

    def beenden(self):
        if self.laeuft():
            self.prozess.send_signal(signal.SIGTERM)
            try:
                self.prozess.wait(10)
            except subprocess.TimeoutExpired:
                self.prozess.kill()
                self.prozess.wait()
        self.schirm.beenden()
        self.log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)


def main():
    """Runs the tests of the calling file; exit status 77 (skipped) without the desktop tools."""
    fehlen = werkzeuge_fehlen()
    if fehlen:
        print("window tests skipped: missing %s (scripts/install-deps installs them)" % ", ".join(fehlen))
        raise SystemExit(77)
    unittest.main(verbosity=2)


class Fenstertest(unittest.TestCase):
    """Base of the window tests: skips where the desktop tools are missing."""

    def setUp(self):
        fehlen = werkzeuge_fehlen()
        if fehlen:
            self.skipTest("missing %s (scripts/install-deps installs them)" % ", ".join(fehlen))
        if not PROGRAM or not os.access(PROGRAM, os.X_OK):
            self.fail("the program is not built: %r" % PROGRAM)
        self.programme = []

    def tearDown(self):
        for p in getattr(self, "programme", []):
            p.beenden()

    def id_ordner(self):
        """A scratch folder of this test, removed after it."""
        ordner = tempfile.mkdtemp(prefix="ravelo-window-test-")
        self.addCleanup(shutil.rmtree, ordner, True)
        return ordner

    def starte(self, name, **kw):
        p = Programm(self, name, **kw)
        self.programme.append(p)
        return p

    def starte_bis_Fenster(self, name, antwort="Nein", **kw):
        """Starts the program and brings it to its main window, answering the start-up's question
        (update the draws?) with antwort."""
        p = self.starte(name, **kw)
        def bereit():
            box = p.qt_fenster("QMessageBox")
            if box:
                return box
            f = p.formular()
            return f if f else None
        erstes = p.warte(bereit, 40, "the main window or the start-up question")
        if "form" not in erstes:
            p.bild("startfrage")
            p.druecke(erstes, antwort)
        p.warte_formular()
        p.warte(lambda: not p.qt_fenster("QMessageBox"), 20, "the question to go")
        return p

    def keine_Fehler_im_Protokoll(self, p):
        text = p.ausgabe()
        for zeichen in ("AddressSanitizer", "malloc():", "double free", "Segmentation", "terminate called"):
            self.assertNotIn(zeichen, text, text[-4000:])
