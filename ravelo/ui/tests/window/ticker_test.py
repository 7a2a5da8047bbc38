"""The "Neu" ticker beside the pair source scrolls its picture to the left on the screen."""

import fenster


class Ticker(fenster.Fenstertest):
    def test_Neu_laeuft_ueber_den_Bildschirm(self):
        p = self.starte_bis_Fenster("Neu_laeuft_ueber_den_Bildschirm")
        p.klicke("Image3")  # the Schritt 1 page shows the pool sources
        ticker = p.warte(lambda: (lambda c: c if c and c["shown"] else None)(p.steuerelement("Label51")), 10,
                         "the ticker")
        self.assertEqual("Neu   ", ticker["text"])
        p.zeige_auf(p.steuerelement("Label1"))  # the pointer away from the ticker
        # The label is transparent: what moves is its text over what lies beneath.
        fenster_rahmen = p.formular()
        bilder = [p.bild("Ticker_%d" % i) for i in (1, 2)]
        erstes, zweites = (p.pixel(b, ticker) for b in bilder)
        self.assertTrue(any(len(set(zeile)) > 1 for zeile in erstes), "the ticker shows something")
        self.assertNotEqual(erstes, zweites, "the ticker moved between the two screenshots")
        oben = dict(fenster_rahmen, h=ticker["y"] - fenster_rahmen["y"])
        # The statistics Start button shows its running picture while start-up finishes its work.
        start = p.steuerelement("Image10")

        def ohne_Start(datei):
            zeilen = p.pixel(datei, oben)
            for y in range(start["y"] - oben["y"], min(start["y"] - oben["y"] + start["h"], len(zeilen))):
                x0 = start["x"] - oben["x"]
                zeilen[y][x0:x0 + start["w"]] = [None] * len(zeilen[y][x0:x0 + start["w"]])
            return zeilen
        self.assertEqual(*(ohne_Start(b) for b in bilder), "nothing else moved")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())


if __name__ == "__main__":
    fenster.main()
