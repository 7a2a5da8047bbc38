"""Starting the program as a desktop launcher does: from the home folder, with the splash."""

import os
import shutil

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

    def test_zweite_Kopie_auf_demselben_Ordner(self):
        """A second copy on the program folder of a running one says so and ends; the first
        goes on undisturbed."""
        erste = self.starte_bis_Fenster("erste_Kopie")
        history = erste.datei("history.txt")
        zweite = self.starte("zweite_Kopie", ordner=erste.ordner)
        box = zweite.warte_box(60)
        text = "\n".join(t["text"] for t in box["parts"] if t["kind"] == "label")
        self.assertIn("läuft bereits mit dem Programmordner", text)
        self.assertIsNone(zweite.formular())
        zweite.bild("Meldung")
        zweite.druecke(box, "OK")
        self.assertEqual(0, zweite.warte_ende())
        self.assertIsNotNone(erste.formular())
        self.assertEqual(history, erste.datei("history.txt"))
        erste.klicke("SpeedButton1")
        self.assertEqual(0, erste.warte_ende())
        # Once the first has ended, the folder is free for the next start.
        dritte = self.starte_bis_Fenster("nach_der_ersten", ordner=erste.ordner)
        dritte.bild("Hauptfenster")
        dritte.klicke("SpeedButton1")
        self.assertEqual(0, dritte.warte_ende())
        self.keine_Fehler_im_Protokoll(erste)

    def test_auf_einem_Ordner_den_niemand_anlegte(self):
        """The bare binary started from the home folder on an empty program folder lays the
        folder out itself: pictures, buttons and the history are there."""
        def leeren(ordner):
            shutil.rmtree(ordner)
            os.makedirs(ordner)
        p = self.starte("Ordner_den_niemand_anlegte", argumente=(), arbeitsordner_home=True, vorher=leeren)
        self.bis_zum_Fenster(p)
        p.bild("Hauptfenster")
        for datei in ("history.txt", "dorov_zahlen.txt", "Musterprofil.ini", os.path.join("gifs", "start_sw_.jpg")):
            self.assertTrue(os.path.isfile(os.path.join(p.ordner, datei)), datei)
        self.assertNotEqual("Datei history.txt nicht gefunden!", p.steuerelement("Label1")["text"])
        self.assertGreater(len(p.archiv()), 1000)
        # The start picture shows its picture, not the window's background.
        start = p.steuerelement("Image6")
        farben = {punkt for zeile in p.pixel(p.bild("Start_Bild"), start) for punkt in zeile}
        self.assertGreater(len(farben), 20)
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_ohne_Splashbild(self):
        def kaputt(ordner):
            with open(os.path.join(ordner, "gifs", "splash.gif"), "wb") as f:
                f.write(b"kein Bild")
        p = self.starte("ohne_Splashbild", argumente=(), arbeitsordner_home=True, vorher=kaputt)
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
