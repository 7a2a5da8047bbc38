"""The program on a program folder that takes no write: a read-only one and a full one.

Each folder is a small tmpfs of its own, mounted in a mount namespace of this test alone (it
needs root; without it the test is skipped). The program comes up, says what it could not save,
leaves every file as it was and ends cleanly on F9.
"""

import errno
import os
import shutil
import subprocess
import sys
import time

import fenster

NAMENSRAUM = "RAVELO_TEST_NAMENSRAUM"
# The system's own texts, which may stand only on the line after "Meldung des Systems:".
ENGLISCH = ("Read-only file system", "No space left on device", "Cannot open file", "Cannot write file",
            "Cannot create file")
# What the user starts on a folder that takes no write, and the German sentence its box begins
# with: the jobs that grey the window out first record its state in grau.ini.
GRAU = "Die Datei grau.ini kann nicht gespeichert werden, die Aufgabe beginnt nicht!"
AUFGABEN = (
    ("Profil_speichern", "Image13", 'Das Profil "Mein Profil" kann nicht gespeichert werden!'),
    ("Favoriten", "Image28", GRAU),
    ("Lottozahlen_eingeben", "Image23", GRAU),
    ("Sarnik", "Image6", GRAU),
)


def dateien(ordner):
    """Every file of a folder with its bytes."""
    inhalt = {}
    for wurzel, _, namen in os.walk(ordner):
        for name in namen:
            pfad = os.path.join(wurzel, name)
            with open(pfad, "rb") as f:
                inhalt[os.path.relpath(pfad, ordner)] = f.read()
    return inhalt


class Schreibschutz(fenster.Fenstertest):
    def ordner_auf_tmpfs(self):
        """A laid-out program folder on a tmpfs just large enough for it, plus a little."""
        basis = self.id_ordner()
        vorlage = os.path.join(basis, "vorlage")
        subprocess.run([fenster.RUN_RAVELO, "--layout", vorlage, fenster.BUILD], check=True)
        os.makedirs(os.path.join(vorlage, "test"), exist_ok=True)
        belegt = sum(-(-len(b) // 4096) * 4 for b in dateien(vorlage).values())
        ordner = os.path.join(basis, "program")
        os.makedirs(ordner)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%dk" % (belegt + 256), "tmpfs", ordner], check=True)
        self.addCleanup(subprocess.run, ["umount", "-l", ordner], check=False)
        shutil.copytree(vorlage, ordner, dirs_exist_ok=True)
        return ordner

    def bis_zum_Fenster(self, p):
        """Answers the start-up's boxes (no update of the draws) until the main window stands;
        returns the texts of the boxes."""
        texte = []

        def naechstes():
            return p.qt_fenster("QMessageBox") or p.formular()

        while True:
            w = p.warte(naechstes, 60, "the main window or a box")
            if "form" in w:
                return texte
            text = "\n".join(t["text"] for t in w["parts"] if t["kind"] == "label")
            texte.append(text)
            p.bild("box_%d" % len(texte))
            p.druecke(w, "Nein" if "aktualisieren" in text else "OK")

            def weg():
                box = p.qt_fenster("QMessageBox")
                return box is None or "\n".join(t["text"] for t in box["parts"] if t["kind"] == "label") != text
            p.warte(weg, 15, "the box to close")

    def starte_und_beende(self, name, ordner, grund, deutsch):
        vorher = dateien(ordner)
        p = self.starte(name, ordner=ordner)
        texte = self.bis_zum_Fenster(p)
        nicht_gespeichert = [t for t in texte if "profile.txt kann nicht gespeichert werden" in t]
        self.assertEqual(1, len(nicht_gespeichert), texte)
        self.assertIn(grund, nicht_gespeichert[0])
        # Said in German; the system's own text follows on a line of its own.
        satz, _, system = nicht_gespeichert[0].partition("\n\nMeldung des Systems: ")
        self.assertIn(deutsch, satz)
        self.assertIn(grund, system)
        # The profile of the last line is loaded all the same.
        p.warte_text("Edit1", lambda t: t == "6")
        p.bild("Hauptfenster")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)
        self.assertEqual(vorher, dateien(ordner))

    def box_auf_Deutsch(self, text, satz, deutsch, grund):
        """A box that says in German what failed and why; the system's text only on its own line."""
        vorn, _, system = text.partition("\n\nMeldung des Systems: ")
        self.assertTrue(vorn.startswith(satz), text)
        self.assertIn(deutsch, vorn)
        for englisch in ENGLISCH:
            self.assertNotIn(englisch, vorn, text)
        self.assertIn(grund, system)

    def jede_Aufgabe(self, name, ordner, grund, deutsch):
        """Every job a user starts says in German why it cannot, and the window comes back."""
        vorher = dateien(ordner)
        p = self.starte(name, ordner=ordner)
        self.bis_zum_Fenster(p)
        for aufgabe, knopf, satz in AUFGABEN:
            with self.subTest(aufgabe=aufgabe):
                if knopf == "Image13":
                    p.klicke("CheckBox1")  # expert mode: the profile buttons work
                    p.warte(lambda: p.steuerelement("Image13")["enabled"], 10, "the save button")
                    p.tippe("ComboBox3", "Mein Profil")
                    p.warte_text("ComboBox3", lambda t: t == "Mein Profil", 10)
                if knopf == "Image6":
                    p.klicke("Image2")  # the one-click page
                p.klicke(knopf)
                box = p.warte_box(30)
                # The box's icon is a label without text.
                text = "\n".join(t["text"] for t in box["parts"] if t["kind"] == "label" and t["text"])
                p.bild(aufgabe)
                self.box_auf_Deutsch(text, satz, deutsch, grund)
                p.druecke(box, "OK")
                p.warte(lambda: not p.qt_fenster("QMessageBox"), 15, "the box to close")
                p.warte(lambda: p.steuerelement(knopf)["enabled"], 15, "the window to come back")
                p.bild(aufgabe + "_danach")
                self.assertIsNone(p.qt_fenster("QMessageBox"), "one box a job")
                self.assertIsNone(p.dialog_name("Form5"))
                self.assertIsNone(p.dialog_name("Form7"))
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)
        self.assertEqual(vorher, dateien(ordner))

    def schreibgeschuetzt(self):
        ordner = self.ordner_auf_tmpfs()
        subprocess.run(["mount", "-o", "remount,ro", ordner], check=True)
        return ordner

    def voll(self):
        ordner = self.ordner_auf_tmpfs()
        fd = os.open(os.path.join(ordner, "fueller"), os.O_WRONLY | os.O_CREAT, 0o644)
        try:
            while True:
                os.write(fd, b"\0" * 512)
        except OSError as fehler:
            if fehler.errno != errno.ENOSPC:
                raise
        finally:
            os.close(fd)
        return ordner

    def test_Aufgaben_auf_schreibgeschuetztem_Ordner(self):
        self.jede_Aufgabe("Aufgaben_schreibgeschuetzt", self.schreibgeschuetzt(), "Read-only file system",
                          "Der Programmordner ist schreibgeschützt.")

    def test_Aufgaben_auf_vollem_Ordner(self):
        self.jede_Aufgabe("Aufgaben_voll", self.voll(), "No space left on device", "Der Datenträger ist voll.")

    def test_schreibgeschuetzter_Ordner(self):
        self.starte_und_beende("schreibgeschuetzt", self.schreibgeschuetzt(), "Read-only file system",
                                "Der Programmordner ist schreibgeschützt.")

    def test_voller_Ordner(self):
        self.starte_und_beende("voll", self.voll(), "No space left on device", "Der Datenträger ist voll.")

    def test_Lauf_auf_vollem_Datentraeger(self):
        """The disk fills while step 1 writes its combinations: the run stops, and why stays in
        the status line while the pointer passes the pictures, until something else is started."""
        ordner = self.ordner_auf_tmpfs()
        p = self.starte("Lauf_voll", ordner=ordner)
        self.bis_zum_Fenster(p)
        p.klicke("Image6")
        grund = p.warte_text("Label1", lambda t: "ERROR : Der Datenträger ist voll. Die " in t, 120)["text"]
        p.warte(lambda: p.steuerelement("Image6")["enabled"], 120, "the pictures to come back")
        p.bild("Grund")
        # The status line shows the whole message: nothing of it cut off at its edges.
        zeile = p.steuerelement("Label1")
        self.assertLessEqual(zeile["needs"]["w"], zeile["w"], grund)
        self.assertLessEqual(zeile["needs"]["h"], zeile["h"], grund)
        for name in ("Image6", "Image3", "Image17", "Image6"):
            p.zeige_auf(p.steuerelement(name))
            # Nothing the pointer passes replaces the reason.
            ende = time.monotonic() + 1.5
            while time.monotonic() < ende:
                self.assertEqual(grund, p.steuerelement("Label1")["text"], name)
                time.sleep(0.1)
        p.bild("Grund_nach_dem_Zeigen")
        p.klicke("Image3")  # another page chosen: the status line is free again
        p.warte_text("Label1", lambda t: t != grund, 15)
        p.bild("andere_Seite")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)


def im_eigenen_Namensraum():
    """Runs this file again in a mount namespace of its own, so its mounts go with it; exit
    status 77 (skipped) where that is not allowed."""
    if os.environ.get(NAMENSRAUM) == "1":
        return
    unshare = shutil.which("unshare")
    if os.geteuid() != 0 or not unshare or subprocess.run(
            [unshare, "--mount", "--propagation", "private", "true"], check=False).returncode != 0:
        print("read-only and full folder tests skipped: they need root for their own mounts")
        raise SystemExit(77)
    umgebung = dict(os.environ, **{NAMENSRAUM: "1"})
    r = subprocess.run([unshare, "--mount", "--propagation", "private", sys.executable, os.path.abspath(__file__)] +
                       sys.argv[1:], env=umgebung, check=False)
    raise SystemExit(r.returncode)


if __name__ == "__main__":
    im_eigenen_Namensraum()
    fenster.main()
