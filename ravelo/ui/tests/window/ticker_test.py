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
        # The label is transparent: what moves is its text over what lies beneath. On a busy
        # machine two screenshots can fall between two steps of the ticker, and start-up may
        # still change a picture: take pairs until the ticker has moved and the rest stands.
        fenster_rahmen = p.formular()
        oben = dict(fenster_rahmen, h=ticker["y"] - fenster_rahmen["y"])
        zustand = {}

        def bewegt_und_sonst_ruhig():
            bilder = [p.bild("Ticker_%d" % i) for i in (1, 2)]
            erstes, zweites = (p.pixel(b, ticker) for b in bilder)
            zustand["zeigt"] = any(len(set(zeile)) > 1 for zeile in erstes)
            zustand["bewegt"] = erstes != zweites
            zustand["ruhig"] = p.pixel(bilder[0], oben) == p.pixel(bilder[1], oben)
            return zustand["zeigt"] and zustand["bewegt"] and zustand["ruhig"]

        try:
            p.warte(bewegt_und_sonst_ruhig, 30, "the ticker to move while the rest stands")
        except fenster.Fehlschlag:
            self.assertTrue(zustand.get("zeigt"), "the ticker shows something")
            self.assertTrue(zustand.get("bewegt"), "the ticker moved between the two screenshots")
            self.assertTrue(zustand.get("ruhig"), "nothing else moved")
            raise
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())


if __name__ == "__main__":
    fenster.main()
