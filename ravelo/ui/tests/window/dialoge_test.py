"""The dialogs of the toolbar open, do their work, close and open again."""

import fenster


class Dialoge(fenster.Fenstertest):
    def test_Lottozahlen_eingeben_zweimal(self):
        p = self.starte_bis_Fenster("Lottozahlen_eingeben")
        archiv = p.archiv()
        for runde in (1, 2):
            p.klicke("Image23")
            dialog = p.warte_dialog("Form5")
            self.assertEqual("Lottozahlen eingeben", dialog["title"])
            p.bild("Dialog_%d" % runde)
            if runde == 1:
                p.klicke("Button1", p.dialog_name("Form5"))  # Abbrechen
            else:
                for i, zahl in enumerate(["3", "9", "17", "28", "33", "41", "5", "7"], start=1):
                    p.tippe("Edit%d" % i, zahl, p.dialog_name("Form5"))
                p.bild("ausgefuellt")
                p.klicke("Button2", p.dialog_name("Form5"))  # OK
            p.warte(lambda: not p.dialog_name("Form5"), 15, "the dialog to close")
            p.warte(lambda: p.steuerelement("Image23")["enabled"], 15, "the window to come back")
            p.bild("danach_%d" % runde)
        neu = p.archiv()
        self.assertEqual(archiv, neu[:len(archiv)])
        self.assertEqual(len(archiv) + 1, len(neu))
        self.assertIn(",3,9,17,28,33,41,", neu[-1])
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_Favoriten_zweimal(self):
        p = self.starte_bis_Fenster("Favoriten")
        for runde in (1, 2):
            p.klicke("Image28")
            dialog = p.warte_dialog("Form7")
            p.bild("Dialog_%d" % runde)
            p.klicke("Button1" if runde == 1 else "Button2", p.dialog_name("Form7"))
            p.warte(lambda: not p.dialog_name("Form7"), 15, "the dialog to close")
            p.warte(lambda: p.steuerelement("Image28")["enabled"], 15, "the window to come back")
        p.bild("danach")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)


if __name__ == "__main__":
    fenster.main()
