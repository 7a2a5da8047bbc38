"""A one-click run at N = 30: the tips come, the tip list lies over no other control, and the
pool labels shown lie where the layout puts them, over none of the other controls."""

import os
import re

import fenster

ANDERE = ["ListBox1", "CheckBox2", "CheckBox3", "CheckBox4", "Image6", "Image19", "Image28", "Tabelle",
          "Edit8", "Label46", "Image3", "Image4", "Image5"]


class Lauf(fenster.Fenstertest):
    maxDiff = None

    def test_Sarnik_mit_30_Zahlen(self):
        p = self.starte_bis_Fenster("Sarnik_mit_30_Zahlen")
        p.klicke("CheckBox1")  # expert mode: the pool size can be set
        p.warte(lambda: p.steuerelement("TrackBar1")["enabled"], 15, "the pool size slider")
        p.klicke("TrackBar1")
        p.xdotool("key", "End")
        p.warte(lambda: p.steuerelement("TrackBar1")["position"] == 30, 15, "N = 30")
        p.bild("N_30")
        p.klicke("Image2")  # the Sarnik page
        p.klicke("Image6")  # Start
        p.bild("laeuft")

        def fertig():
            liste = p.steuerelement("ListBox1")
            return liste if p.steuerelement("Image6")["enabled"] and len(liste["items"]) > 8 and not any(
                "fehlt noch" in z for z in liste["items"]) else None
        liste = p.warte(fertig, 300, "the run to end with its tips")
        p.bild("fertig")
        f = p.formular()
        steuer = {c["name"]: c for c in f["controls"] if c["shown"]}
        # The tip list lies over nothing but the window's background.
        for name, c in steuer.items():
            if name not in ("ListBox1", "Image1", "Image12", "") and c["kind"] != "TForm":
                self.assertFalse(fenster.schnitt(c, steuer["ListBox1"]), "%s over the tip list" % name)
        zahlen = [steuer[n] for n in ("Label%d" % i for i in range(2, 32)) if n in steuer]
        for i, a in enumerate(zahlen):
            for b in zahlen[i + 1:]:
                self.assertFalse(fenster.schnitt(a, b), "%s over %s" % (a["name"], b["name"]))
            for name in ANDERE:
                if name in steuer:
                    self.assertFalse(fenster.schnitt(a, steuer[name]), "%s over %s" % (a["name"], name))
        self.assertTrue(any(z.strip() for z in liste["items"]))
        # The tips' numbers ("1.", "2.") and the archive's dates stand whole inside their borders.
        gemalt = [t["text"] for name in ("ListBox1", "Tabelle") for t in steuer[name]["painted"]]
        self.assertTrue(any(t.startswith("1.") for t in gemalt), gemalt)
        self.assertTrue(any(re.fullmatch(r"\d\d\.\d\d\.\d\d", t) for t in gemalt), gemalt)
        self.assertEqual([], fenster.abgeschnitten(steuer["ListBox1"]) + fenster.abgeschnitten(steuer["Tabelle"]))
        self.keine_Fehler_im_Protokoll(p)

    def test_Sarnik_mit_persoenlichen_Zahlen(self):
        """The pool numbers belong to the step-1 page: after a run with personal numbers they
        do not lie over the one-click page's step boxes, icons and tip list."""
        p = self.starte_bis_Fenster("Sarnik_mit_persoenlichen_Zahlen")
        p.klicke("CheckBox1")
        p.warte(lambda: p.steuerelement("TrackBar1")["enabled"], 15, "the pool size slider")
        p.klicke("TrackBar1")
        p.xdotool("key", "End")
        p.warte(lambda: p.steuerelement("TrackBar1")["position"] == 30, 15, "N = 30")
        p.klicke("Image3")
        p.klicke("RadioButton5")  # the edits hold 1 .. 30
        p.warte(lambda: p.steuerelement("Edit38")["shown"], 15, "the personal numbers")
        p.bild("eigene_Zahlen")
        p.klicke("Image2")
        p.klicke("Image6")

        def fertig():
            liste = p.steuerelement("ListBox1")
            return liste if p.steuerelement("Image6")["enabled"] and len(liste["items"]) > 8 and not any(
                "fehlt noch" in z for z in liste["items"]) else None
        p.warte(fertig, 300, "the run to end with its tips")
        p.bild("fertig")
        steuer = {c["name"]: c for c in p.formular()["controls"] if c["shown"]}
        self.assertEqual([], [n for n in steuer if n in {"Label%d" % k for k in range(2, 32)} |
                              {"Edit%d" % k for k in range(9, 39)}])
        # Back on the step-1 page the personal numbers stand in their places again.
        p.klicke("Image3")
        p.warte(lambda: p.steuerelement("Edit38")["shown"], 15, "the personal numbers")
        p.bild("Schritt_1")
        self.keine_Fehler_im_Protokoll(p)

    def test_Sarnik_ohne_spielbaren_Pool(self):
        """Step 1 refuses a personal number entered twice, of which no playable tip can be made:
        the user reads why, and steps 2 and 3 do not run."""
        p = self.starte_bis_Fenster("Sarnik_ohne_spielbaren_Pool")
        p.klicke("CheckBox1")  # expert mode: the pool source can be chosen
        p.warte(lambda: p.steuerelement("TrackBar1")["enabled"], 15, "expert mode")
        p.klicke("Image3")
        p.klicke("RadioButton5")  # the edits hold 1 .. 30
        p.warte(lambda: p.steuerelement("Edit20")["shown"], 15, "the personal numbers")
        p.tippe("Edit20", "7")
        p.warte_text("Edit20", lambda t: t == "7")
        p.bild("sieben_doppelt")
        p.klicke("Image2")
        p.klicke("Image6")
        box = p.warte_box(60)
        text = "\n".join(t["text"] for t in box["parts"] if t["kind"] == "label")
        self.assertEqual("Die Zahl 7 wurde doppelt eingegeben!", text)
        p.bild("Meldung")
        p.druecke(box, "OK")
        p.warte(lambda: p.steuerelement("Image6")["enabled"], 60, "the run to end")
        p.bild("beendet")
        liste = p.steuerelement("ListBox1")["items"]
        self.assertFalse(any("Schritt 2 erfolgreich" in z for z in liste), liste)
        self.assertIsNone(p.qt_fenster("QMessageBox"))
        self.assertEqual([], [n for n in os.listdir(p.ordner) if n.startswith(("Schritt2_", "Schritt3_"))])
        self.keine_Fehler_im_Protokoll(p)


if __name__ == "__main__":
    fenster.main()
