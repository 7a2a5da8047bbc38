"""The tray: "_" sends the window there, the icon's menu brings it back, updates the draws
and ends the program. The update from the tray menu once corrupted the heap some seconds after
it ended (the menu was deleted while its click was still being handled)."""

import fenster
import server

NEUE_ZIEHUNG = "25.07.26,4,9,17,28,33,41,0,5"


class Tray(fenster.Fenstertest):
    def test_update_aus_dem_Tray_Menue(self):
        web = server.Webserver()
        self.addCleanup(web.beenden)
        p = self.starte_bis_Fenster("update_aus_dem_Tray_Menue", umgebung={"RAVELO_WEB_HOST": web.host})
        vorher = p.archiv()
        web.antwort(200, server.ergebnisseite(vorher + [NEUE_ZIEHUNG]))
        p.bild("fenster")

        p.klicke("SpeedButton2")
        symbol = p.warte(lambda: p.qt_fenster(objekt="tray:TrayIcon1"), 10, "the tray icon")
        p.warte(lambda: not p.formular(), 10, "the window to go")
        p.bild("im_Tray")

        p.klicke_rahmen(symbol)
        menue = p.warte(lambda: p.qt_fenster("QMenu"), 10, "the tray menu")
        self.assertEqual(["Wiederherstellen", "Update", "Beenden"],
                         [t["text"] for t in menue["parts"] if t["kind"] == "entry"])
        p.bild("Tray_Menue")
        p.druecke(menue, "Update")

        # The job shows its own tray icon while it runs and hides it at its end.
        p.warte(lambda: p.qt_fenster(objekt="tray:TrayIcon2"), 20, "the update's tray icon")
        p.bild("Update_laeuft")
        p.warte(lambda: not p.qt_fenster(objekt="tray:TrayIcon2"), 60, "the update to end")
        self.assertEqual(vorher + [NEUE_ZIEHUNG], p.archiv())
        self.assertGreaterEqual(web.anfragen, 1)

        # Well after the update: the program still runs and answers.
        symbol = p.warte(lambda: p.qt_fenster(objekt="tray:TrayIcon1"), 10, "the tray icon after the update")
        p.klicke_rahmen(symbol)
        menue = p.warte(lambda: p.qt_fenster("QMenu"), 10, "the tray menu again")
        p.druecke(menue, "Wiederherstellen")
        p.warte_formular()
        p.warte(lambda: not p.qt_fenster(objekt="tray:TrayIcon1"), 10, "the tray icon to go")
        p.bild("wiederhergestellt")

        p.taste("F9")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_Beenden_aus_dem_Tray_Menue(self):
        p = self.starte_bis_Fenster("Beenden_aus_dem_Tray_Menue")
        p.klicke("SpeedButton2")
        symbol = p.warte(lambda: p.qt_fenster(objekt="tray:TrayIcon1"), 10, "the tray icon")
        # Two clicks on the icon each bring the menu up.
        for _ in range(2):
            p.klicke_rahmen(symbol)
            menue = p.warte(lambda: p.qt_fenster("QMenu"), 10, "the tray menu")
            p.bild("Tray_Menue")
            p.xdotool("key", "Escape")
            p.warte(lambda: not p.qt_fenster("QMenu"), 10, "the menu to close")
        p.klicke_rahmen(symbol)
        menue = p.warte(lambda: p.qt_fenster("QMenu"), 10, "the tray menu")
        p.druecke(menue, "Beenden")
        self.assertEqual(0, p.warte_ende())
        self.keine_Fehler_im_Protokoll(p)

    def test_zwei_Notizen_nebeneinander(self):
        """Without a notification area each icon's note stands above its stand-in; the notes of
        two icons shown at once do not cover each other."""
        p = self.starte_bis_Fenster("zwei_Notizen")
        p.klicke("CheckBox22")  # the clipboard watcher's icon and note
        p.warte(lambda: p.qt_fenster(objekt="tray:TrayIcon3"), 10, "the watcher's tray icon")
        p.klicke("SpeedButton2")  # the window's icon and note
        p.warte(lambda: p.qt_fenster(objekt="tray:TrayIcon1"), 10, "the window's tray icon")

        def notizen():
            n = [w for w in p.fenster() if w["class"] == "QLabel" and "Quenzel 2009" in w.get("text", "")]
            return n if len(n) == 2 else None
        a, b = p.warte(notizen, 10, "both notes")
        p.bild("zwei_Notizen")
        self.assertIn("Die Zwischenablage wird überwacht!", a["text"] + b["text"])
        self.assertFalse(fenster.schnitt(a, b), "%s over %s" % (a["text"], b["text"]))
        self.keine_Fehler_im_Protokoll(p)


if __name__ == "__main__":
    fenster.main()
