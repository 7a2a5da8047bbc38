"""Help: F1 and the help button open the compiled help file in the CHM viewer."""

import subprocess

import fenster


class Hilfe(fenster.Fenstertest):
    def x_titel(self, p):
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], env=p.env,
                           capture_output=True, text=True, timeout=20)
        titel = []
        for wid in r.stdout.split():
            n = subprocess.run(["xdotool", "getwindowname", wid], env=p.env, capture_output=True,
                               text=True, timeout=20)
            titel.append(n.stdout.strip())
        return titel

    def test_mit_F1_und_dem_Hilfe_Knopf(self):
        p = self.starte_bis_Fenster("Hilfe")
        for weg in ("F1", "Image18"):
            if weg == "F1":
                p.taste("F1")
            else:
                p.klicke("Image18")
            # The help file shows in the CHM viewer (one viewer may show both); the window stays.
            p.warte(lambda: any("Quenzel 2009 - Hilfe" in t for t in self.x_titel(p)), 30,
                    "the help in the CHM viewer (%s)" % weg)
            p.warte(lambda: p.steuerelement("Image18")["enabled"], 15, "the window after the help")
            p.bild("Hilfe_" + weg)
        # The viewer is a program of its own and stays; so does the window.
        self.assertTrue(p.laeuft())
        self.assertIsNotNone(p.formular())
        self.keine_Fehler_im_Protokoll(p)


if __name__ == "__main__":
    fenster.main()
