"""The toolbar as a user meets it: the print dialog (Qt's, in German) opens, closes and opens
again; the archive and statistics views and the sort buttons."""

import os

import fenster


class Werkzeuge(fenster.Fenstertest):
    def test_Drucken_auf_Deutsch_zweimal(self):
        p = self.starte_bis_Fenster("Drucken")
        for runde in (1, 2):
            p.klicke("Image19")
            dialog = p.warte(lambda: p.qt_fenster("QPrintDialog"), 20, "the print dialog")
            knoepfe = [t["text"].replace("&", "") for t in dialog["parts"] if t["kind"] == "button"]
            self.assertIn("Drucken", knoepfe)
            self.assertIn("Abbrechen", knoepfe)
            p.bild("Druckdialog_%d" % runde)
            p.druecke(dialog, "Abbrechen")
            p.warte(lambda: not p.qt_fenster("QPrintDialog"), 15, "the print dialog to close")
            p.warte(lambda: p.steuerelement("Image19")["enabled"], 15, "the window to come back")
        p.bild("danach")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_Archiv_und_Statistik_und_Sortieren(self):
        p = self.starte_bis_Fenster("Archiv_und_Statistik")
        p.klicke("Image22")
        p.warte(lambda: p.steuerelement("Tabelle2")["shown"], 15, "the statistics grid")
        for knopf in ("Image26", "Image27"):
            p.klicke(knopf)
            self.assertIsNone(p.qt_fenster("QMessageBox"), knopf)
            p.bild(knopf)
        p.klicke("Image21")
        p.warte(lambda: p.steuerelement("Tabelle")["shown"], 15, "the archive grid")
        p.bild("Archiv")
        self.assertTrue(p.laeuft())
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_Symbole_nach_ihrer_Aktion_wieder_ruhig(self):
        """Print and update open a window of their own that takes the pointer; afterwards their
        icons show their resting picture again, not the one of the pointer over them."""
        p = self.starte_bis_Fenster("Symbole_nach_ihrer_Aktion")
        f = p.formular()
        abseits = {"x": f["x"] + 300, "y": f["y"] + 20, "w": 1, "h": 1}  # the title strip
        for knopf in ("Image19", "Image24"):
            rahmen = p.steuerelement(knopf)
            p.zeige_auf(abseits)
            ruhig = p.pixel(p.bild(knopf + "_vorher"), rahmen)
            p.klicke(knopf)
            if knopf == "Image19":
                dialog = p.warte(lambda: p.qt_fenster("QPrintDialog"), 20, "the print dialog")
                p.druecke(dialog, "Abbrechen")
            else:
                box = p.warte_box(60)  # no server: the update says so
                p.druecke(box, "OK")
            p.warte(lambda: p.steuerelement(knopf)["enabled"] and not p.qt_fenster("QMessageBox"), 30,
                    "the window to come back")
            p.zeige_auf(abseits)
            p.warte(lambda: p.pixel_jetzt(rahmen) == ruhig, 10, knopf + " to show its resting picture")
            p.bild(knopf + "_nachher")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_Mail_und_Homepage_zweimal(self):
        """Mail and homepage hand their address to the desktop's opener, each time they are
        clicked; the window stays as it was."""
        ordner = self.id_ordner()
        protokoll = os.path.join(ordner, "geoeffnet.txt")
        opener = os.path.join(ordner, "xdg-open")
        with open(opener, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % protokoll)
        os.chmod(opener, 0o755)
        p = self.starte_bis_Fenster("Mail_und_Homepage",
                                    umgebung={"PATH": ordner + os.pathsep + os.environ.get("PATH", "")})

        def geoeffnet():
            try:
                with open(protokoll) as f:
                    return f.read().splitlines()
            except FileNotFoundError:
                return []
        erwartet = []
        for runde in (1, 2):
            for knopf, anfang in (("Image17", "mailto:"), ("Image20", "http://")):
                p.klicke(knopf)
                erwartet.append(anfang)
                p.warte(lambda: len(geoeffnet()) == len(erwartet), 15, "%s to open its address" % knopf)
                p.warte(lambda: p.steuerelement(knopf)["enabled"], 15, "the window after " + knopf)
                p.bild("%s_%d" % (knopf, runde))
        self.assertEqual(erwartet, [z[:len(a)] for z, a in zip(geoeffnet(), erwartet)])
        self.assertIsNotNone(p.formular())
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_History_loeschen(self):
        """The history delete button removes the chosen run and its files; the last run is kept
        with a warning, once and again."""
        alt, neu = "01-07-2026-aus20_Index-1*", "04-07-2026-aus20_Index-1*"
        datei = "Schritt2_Vorschlag_01-07-2026-aus20_Index-1.txt"

        def vorher(ordner):
            with open(os.path.join(ordner, "history.txt"), "w") as f:
                f.write(alt + "\n" + neu + "\n")
            with open(os.path.join(ordner, datei), "w") as f:
                f.write("1\n")
        p = self.starte_bis_Fenster("History_loeschen", vorher=vorher)
        p.klicke("CheckBox1")  # expert mode: the history box and its button work
        p.warte(lambda: p.steuerelement("Image15")["enabled"], 10, "the history delete button")
        box = p.steuerelement("ComboBox2")
        self.assertEqual([alt, neu], box["items"])
        p.zeige_auf(box, dx=box["w"] - 8)
        p.xdotool("click", 1)
        p.warte(lambda: p.qt_fenster("QComboBoxPrivateContainer"), 10, "the history list")
        p.xdotool("key", "Home", "Return")
        p.warte_text("ComboBox2", lambda t: t == alt, 10)
        p.warte(lambda: p.steuerelement("Image15")["enabled"], 30, "the comparison of the chosen run")
        p.bild("gewaehlt")
        p.klicke("Image15")
        p.warte(lambda: p.datei("history.txt") == [neu], 15, "the run to leave history.txt")
        self.assertEqual([neu], p.steuerelement("ComboBox2")["items"])
        self.assertFalse(os.path.exists(os.path.join(p.ordner, datei)))
        p.bild("geloescht")
        for runde in (1, 2):
            p.klicke("Image15")
            meldung = p.warte_box(15)
            self.assertIn("Warnung: Darf nicht gelöscht werden!", [t["text"] for t in meldung["parts"]])
            p.bild("Warnung_%d" % runde)
            p.druecke(meldung, "OK")
            p.warte(lambda: not p.qt_fenster("QMessageBox"), 10, "the warning to close")
            self.assertEqual([neu], p.datei("history.txt"))
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)


if __name__ == "__main__":
    fenster.main()
