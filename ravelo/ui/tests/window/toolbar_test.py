"""The toolbar as a user meets it: the print dialog (Qt's, in German) opens, closes and opens
again; the archive and statistics views and the sort buttons."""

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


if __name__ == "__main__":
    fenster.main()
