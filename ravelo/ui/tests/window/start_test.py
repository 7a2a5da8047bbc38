"""Starting the program as a desktop launcher does: from the home folder, with the splash."""

import os

import fenster


class Start(fenster.Fenstertest):
    def test_aus_dem_Home_Ordner_mit_Splash(self):
        p = self.starte("aus_dem_Home_Ordner_mit_Splash", argumente=(), arbeitsordner_home=True)
        splash = p.warte(lambda: p.formular("Form3"), 30, "the splash window")
        bild = next(c for c in splash["controls"] if c["name"] == "Image1")
        self.assertEqual((400, 200), (bild["w"], bild["h"]))
        p.bild("Splash")
        self.bis_zum_Fenster(p)
        self.assertIsNone(p.formular("Form3"))
        self.assertTrue(os.path.isdir(os.path.join(p.ordner, "test")))
        p.bild("Hauptfenster")
        # The close button writes the settings into the program folder, not the home folder.
        p.klicke("SpeedButton1")
        self.assertEqual(0, p.warte_ende())
        self.assertTrue(os.path.isfile(os.path.join(p.ordner, "environment.ini")))
        self.assertFalse(os.path.exists(os.path.join(p.home, "environment.ini")))
        self.keine_Fehler_im_Protokoll(p)

    def test_zweiter_Start_nach_der_ersten_Sitzung(self):
        """A first session as a new user has it (splash, "Nein" to the update question, the
        window closed), then the program started again on the settings it left: the splash goes
        before the update question, and no input for the freed splash ends the program."""
        erste = self.starte("erste_Sitzung", argumente=(), arbeitsordner_home=True)
        self.bis_zum_Fenster(erste)
        erste.klicke("SpeedButton1")
        self.assertEqual(0, erste.warte_ende())
        self.assertIn("CheckBox21=true", erste.datei("environment.ini"))

        zweite = self.starte("zweiter_Start", argumente=(), arbeitsordner_home=True, ordner=erste.ordner)
        zweite.warte(lambda: zweite.formular("Form3"), 30, "the splash window")
        zweite.bild("Splash")
        frage = zweite.warte(lambda: zweite.qt_fenster("QMessageBox"), 60, "the update question")
        self.assertIsNone(zweite.formular("Form3"))
        zweite.bild("Startfrage")
        zweite.druecke(frage, "Nein")
        zweite.warte_formular()
        zweite.warte(lambda: not zweite.qt_fenster("QMessageBox"), 20, "the question to go")
        zweite.bild("Hauptfenster")
        zweite.klicke("SpeedButton1")
        self.assertEqual(0, zweite.warte_ende())
        self.keine_Fehler_im_Protokoll(zweite)

    def test_ohne_Splashbild(self):
        p = self.starte("ohne_Splashbild", argumente=(), arbeitsordner_home=True,
                        vorher=lambda ordner: os.remove(os.path.join(ordner, "gifs", "splash.gif")))
        self.bis_zum_Fenster(p)
        p.bild("Hauptfenster")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())

    def bis_zum_Fenster(self, p):
        def bereit():
            box = p.qt_fenster("QMessageBox")
            return box or p.formular()
        erstes = p.warte(bereit, 60, "the main window or the start-up question")
        if "form" not in erstes:
            p.druecke(erstes, "Nein")
        p.warte_formular()


if __name__ == "__main__":
    fenster.main()
