"""Profiles as a user keeps them: save the settings under a new name, load another profile and
this one again from the box, delete it; a name of one of the program's own files is refused and
leaves that file alone."""

import os

import fenster

NAME = "Mein Profil"


class Profile(fenster.Fenstertest):
    def profilbox(self, p, name):
        """Types a name into the profile box."""
        p.tippe("ComboBox3", name)
        p.warte_text("ComboBox3", lambda t: t == name, 10)

    def waehle(self, p, name):
        """Chooses an entry from the profile box's list, which loads that profile."""
        box = p.warte(lambda: p._bedienbar("ComboBox3", "Form1"), 10, "the profile box")
        p.zeige_auf(box, dx=box["w"] - 8)
        p.xdotool("click", 1)
        p.warte(lambda: p.qt_fenster("QComboBoxPrivateContainer"), 10, "the list of profiles")
        p.bild("Liste_" + name.replace(" ", "_"))
        p.xdotool("key", "Home", *(["Down"] * box["items"].index(name)), "Return")
        p.warte_text("ComboBox3", lambda t: t == name, 10)

    def test_speichern_laden_loeschen(self):
        p = self.starte_bis_Fenster("speichern_laden_loeschen")
        p.klicke("CheckBox1")  # expert mode: the profile buttons work
        p.warte(lambda: p.steuerelement("Image13")["enabled"], 10, "the save button")
        p.tippe("Edit8", "7")
        p.warte_text("Edit8", lambda t: t == "7", 10)
        self.profilbox(p, NAME)
        p.klicke("Image13")
        p.warte(lambda: NAME in p.datei("profile.txt"), 15, "the profile in the list")
        self.assertIn("Edit8=7", p.datei(NAME + ".ini"))
        self.assertEqual(["Musterprofil", NAME], p.steuerelement("ComboBox3")["items"])
        p.bild("gespeichert")

        # Another profile brings its own tip count, this one its 7 again.
        p.tippe("Edit8", "3")
        self.waehle(p, "Musterprofil")
        muster = p.warte_text("Edit8", lambda t: t != "3", 10)["text"]
        self.assertNotEqual("7", muster)
        p.bild("Musterprofil_geladen")
        self.waehle(p, NAME)
        p.warte_text("Edit8", lambda t: t == "7", 10)
        p.bild("wieder_geladen")

        p.klicke("Image14")
        p.warte(lambda: NAME not in p.datei("profile.txt"), 15, "the profile to leave the list")
        p.warte_text("ComboBox3", lambda t: t == "Musterprofil", 10)
        p.warte_text("Edit8", lambda t: t == muster, 10)
        self.assertFalse(os.path.exists(os.path.join(p.ordner, NAME + ".ini")))
        self.assertEqual(["Musterprofil"], p.steuerelement("ComboBox3")["items"])
        p.bild("geloescht")
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_Name_einer_Programmdatei(self):
        def einstellungen(ordner):
            with open(os.path.join(ordner, "environment.ini"), "w") as f:
                f.write("[Archiv]\nCheckBox21=false\n")
        p = self.starte_bis_Fenster("Name_einer_Programmdatei", vorher=einstellungen)
        p.klicke("CheckBox1")
        p.warte(lambda: p.steuerelement("Image13")["enabled"], 10, "the save button")
        umgebung = os.path.join(p.ordner, "environment.ini")
        with open(umgebung, "rb") as f:
            vorher = f.read()
        for name, knopf in (("Environment", "Image13"), ("environment", "Image14")):
            self.profilbox(p, name)
            p.klicke(knopf)
            box = p.warte_box(15)
            text = " ".join(t["text"] for t in box["parts"] if t["kind"] == "label")
            self.assertIn('Der Profilname "%s" ist ungültig!' % name, text)
            p.bild("abgelehnt_" + knopf)
            p.druecke(box, "OK")
            p.warte(lambda: not p.qt_fenster("QMessageBox"), 10, "the box to close")
            with open(umgebung, "rb") as f:
                self.assertEqual(vorher, f.read(), knopf)
        self.assertNotIn("Environment", p.datei("profile.txt"))
        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)


if __name__ == "__main__":
    fenster.main()
