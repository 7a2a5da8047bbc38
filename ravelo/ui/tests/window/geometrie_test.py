"""What the main window shows on every page and view: no control lies over another, no text is
cut off, and the pool numbers stand legible in the boxes the layout gives them at every N."""

import fenster

# Drawn under everything else, or played over the window only while a run works.
DARUNTER = {"Image1", "Image12", "Animate1", "Animate2"}
# Controls whose text the probe can measure.
MIT_TEXT = {"TLabel", "TCheckBox", "TRadioButton", "TComboBox", "TDateTimePicker", "TListBox"}
BILDKNOEPFE = {"Image6", "Image7", "Image8", "Image9", "Image10", "Image26", "Image27"}
SEITEN = {"Image2": "Sarnik", "Image3": "Schritt_1", "Image4": "Schritt_2", "Image5": "Schritt_3"}
ZEILEN = (400, 435, 470)


def gezeigt(p):
    return [c for c in p.formular()["controls"] if c["shown"] and c["kind"] != "TForm"]


class Geometrie(fenster.Fenstertest):
    def pruefe(self, p, wo):
        steuer = gezeigt(p)
        fehler = []
        for c in steuer:
            n = c.get("needs")
            if c["kind"] in MIT_TEXT and n:
                umbricht = c["kind"] == "TLabel" and n["w"] == c["w"]
                if n["w"] > c["w"] or (umbricht and n["h"] > c["h"]):
                    fehler.append("%s cut off: %dx%d shown, %dx%d needed (%r)" %
                                  (c["name"], c["w"], c["h"], n["w"], n["h"], c["text"]))
            fehler += fenster.abgeschnitten(c)
        # The buttons of a radio group lie inside it and have no name of their own.
        flach = [c for c in steuer if c["name"] and c["name"] not in DARUNTER]
        for i, a in enumerate(flach):
            for b in flach[i + 1:]:
                if fenster.schnitt(a, b):
                    fehler.append("%s over %s" % (a["name"], b["name"]))
        if fehler:
            p.bild("Fehler_" + wo)
        self.assertEqual([], fehler, wo)

    def test_jede_Seite_und_Ansicht(self):
        p = self.starte_bis_Fenster("jede_Seite_und_Ansicht")
        p.klicke("CheckBox1")  # expert mode shows every setting
        p.warte(lambda: p.steuerelement("TrackBar1")["enabled"], 10, "the pool size slider")
        p.klicke("TrackBar1")
        p.xdotool("key", "End")
        p.warte(lambda: p.steuerelement("TrackBar1")["position"] == 30, 10, "N = 30")
        # The longest run key the history box shows: a two-digit index.
        p.tippe("ComboBox2", "30-12-2026-aus30_Index-99*")
        p.warte_text("ComboBox2", lambda t: t.endswith("99*"), 10)
        for ansicht, ansicht_name in (("Image22", "Statistik"), ("Image21", "Archiv")):
            p.klicke(ansicht)
            for seite, seite_name in SEITEN.items():
                p.klicke(seite)
                quellen = ("RadioButton1", "RadioButton5") if seite == "Image3" else (None,)
                for quelle in quellen:
                    if quelle:
                        p.klicke(quelle)
                        p.warte(lambda: p.steuerelement(quelle)["checked"], 10, quelle)
                    wo = "%s_%s%s" % (ansicht_name, seite_name, "_" + quelle if quelle else "")
                    datei = p.bild(wo)
                    self.pruefe(p, wo)
                    # The start pictures and sort arrows show their picture without the pointer
                    # passing over them: dark button faces and arrows on the light background.
                    for c in gezeigt(p):
                        if c["name"] in BILDKNOEPFE:
                            punkte = [px for reihe in p.pixel(datei, c) for px in reihe]
                            dunkel = [px for px in punkte if 0.3 * px[0] + 0.59 * px[1] + 0.11 * px[2] < 140]
                            self.assertGreater(len(dunkel), len(punkte) // 20,
                                               "%s shows no picture (%s)" % (c["name"], wo))
        # The statistics Start button is not hidden: nothing lies over it, it is whole in the window.
        f = p.formular()
        start = p.steuerelement("Image10")
        self.assertTrue(start["shown"])
        self.assertTrue(f["x"] <= start["x"] and start["x"] + start["w"] <= f["x"] + f["w"])
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_Zahlen_bei_jedem_N(self):
        p = self.starte_bis_Fenster("Zahlen_bei_jedem_N")
        p.klicke("CheckBox1")
        p.warte(lambda: p.steuerelement("TrackBar1")["enabled"], 10, "the pool size slider")
        p.klicke("Image3")
        p.klicke("RadioButton1")
        for n in range(18, 31):
            p.klicke("TrackBar1")
            p.xdotool("key", "Home", *(["Right"] * (n - 18)))
            p.warte(lambda: p.steuerelement("TrackBar1")["position"] == n, 10, "N = %d" % n)
            f = p.formular()
            zahlen = [p.steuerelement("Label%d" % (k + 1)) for k in range(1, 31)]
            self.assertEqual(["Label%d" % (k + 1) for k in range(1, n + 1)],
                             [c["name"] for c in zahlen if c["shown"]], "N = %d" % n)
            for k, c in enumerate(zahlen[:n]):
                # The box the layout gives: ten a row, 40 pixels apart, 30 x 28.
                box = (f["x"] + 215 + 40 * (k % 10), f["y"] + ZEILEN[k // 10], 30, 28)
                self.assertEqual(box, (c["x"], c["y"], c["w"], c["h"]), c["name"])
                self.assertLessEqual(c["needs"]["w"], c["w"], "%s: %r cut off" % (c["name"], c["text"]))
                self.assertLessEqual(c["needs"]["h"], c["h"], "%s: %r cut off" % (c["name"], c["text"]))
            if n in (18, 24, 30):
                self.pruefe(p, "N_%d" % n)
                datei = p.bild("N_%d" % n)
                # Two digits stand apart: a blank column between the digits of neighbouring boxes.
                zeile = [c for c in zahlen[10:20] if c["shown"]]
                for a, b in zip(zeile, zeile[1:]):
                    luecke = {"x": a["x"] + a["w"], "y": a["y"], "w": b["x"] - a["x"] - a["w"], "h": a["h"]}
                    punkte = [px for reihe in p.pixel(datei, luecke) for px in reihe]
                    self.assertFalse([px for px in punkte if px[2] > 150 and px[0] < 100],
                                     "blue between %s and %s" % (a["name"], b["name"]))
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)


if __name__ == "__main__":
    fenster.main()
