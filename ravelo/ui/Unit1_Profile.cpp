// The main window: profiles.
#include "Unit1.h"

#include "Dateifehler.h"
#include "Unit1_intern.h"

#include <vector>

#include "Tippdateien.h"

#include "rtl/Clock.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"

using namespace unit1;

// Profiles: profile.txt lists the names in the order of use (the last line is the current one);
// each profile's settings lie in "<name>.ini" of the program folder, section [Sarnik].

namespace {

const char* const MUSTERPROFIL = "Musterprofil";
const char* const PROFIL_SEKTION = "Sarnik";

// The keys of a profile in the order they are written; each is the name of its control.
const std::vector<String>& Profilschluessel()
{
    static const std::vector<String> schluessel = [] {
        std::vector<String> s = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit7", "Edit8"};
        for (int i = 2; i <= 21; ++i) s.push_back("CheckBox" + IntToStr(i));
        for (int i = 1; i <= 5; ++i) s.push_back("RadioButton" + IntToStr(i));
        return s;
    }();
    return schluessel;
}

// The name becomes a file name in the program folder, so it must not leave that folder or be
// unusable there.
bool Profilname_gueltig(const String& name)
{
    if (name.find_first_not_of('.') == String::npos) return false;  // empty, ".", ".."
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || String("\\/:*?\"<>|").find(static_cast<char>(c)) != String::npos)
            return false;
    // Its file would overwrite (and its deletion delete) one of the program's own files.
    return !ist_Programmdatei(name + PROFIL_ENDUNG);
}

void Profilname_ablehnen(const String& name)
{
    if (!name.empty() && ist_Programmdatei(name + PROFIL_ENDUNG)) {
        MessageBox("Der Profilname \"" + name + "\" ist ungültig! Die Datei " + name + PROFIL_ENDUNG +
                       " gehört dem Programm.",
                   "Info", MB_OK);
        return;
    }
    MessageBox("Der Profilname \"" + name +
                   "\" ist ungültig! Ein Profilname darf nicht leer sein, nicht nur aus Punkten "
                   "bestehen und weder Steuerzeichen noch eines der Zeichen \\ / : * ? \" < > | "
                   "enthalten.",
               "Info", MB_OK);
}

// Removes every line naming the profile (names compare as the file system finds the files:
// ignoring case); true when there was one.
bool Profil_entfernen(TStrings& liste, const String& name)
{
    bool gefunden = false;
    for (int i = liste.IndexOf(name); i >= 0; i = liste.IndexOf(name)) {
        liste.Delete(i);
        gefunden = true;
    }
    return gefunden;
}

}  // namespace

String TForm1::Profildatei(const String& name) const { return programm_ordner + name + PROFIL_ENDUNG; }

void TForm1::Profilbild(TImage* bild, const String& datei)
{
    // Only the look of the button: a missing picture leaves the old one.
    try {
        lade_Bild(*this, bild, datei);
    } catch (const Exception&) {
    }
}

bool TForm1::lade_Profilliste()
{
    const String datei = programm_ordner + DATEI_PROFILE;
    // Without profile.txt (a fresh program folder) only the default profile is offered and the
    // window keeps the settings of its layout.
    const bool vorhanden = FileExists(datei);
    TStringList liste;
    if (vorhanden)
        liste.LoadFromFile(datei);
    else
        liste.Add(MUSTERPROFIL);
    ComboBox3->Items()->Assign(liste);
    const String letzte = liste.Count() ? liste[liste.Count() - 1] : String();
    ComboBox3->SetText(letzte.empty() ? String(MUSTERPROFIL) : letzte);
    return vorhanden;
}

bool TForm1::load_profil()
{
    const String name = ComboBox3->Text();
    if (!Profilname_gueltig(name)) {
        Profilname_ablehnen(name);
        return false;
    }
    const String datei = programm_ordner + DATEI_PROFILE;
    TStringList liste;
    if (FileExists(datei)) liste.LoadFromFile(datei);
    const int i = liste.IndexOf(name);
    if (i < 0) {
        MessageBox("Das Profil \"" + name + "\" ist nicht vorhanden!", "Info", MB_OK);
        return false;
    }
    const String zeile = liste[i];
    liste.Delete(i);
    liste.Add(zeile);
    // A read-only or full program folder keeps the old order: the profile is loaded all the same.
    try {
        liste.SaveToFile(datei);
    } catch (const Exception& e) {
        MessageBox(Dateifehler_Text(
                       "Die Profilliste " + String(DATEI_PROFILE) + " kann nicht gespeichert werden!", e),
                   "Info", MB_OK);
    }

    TIniFile ini(Profildatei(name));
    for (const String& schluessel : Profilschluessel()) {
        const String wert = ini.ReadString(PROFIL_SEKTION, schluessel, "");
        TComponent* c = FindComponent(schluessel);
        if (auto* edit = dynamic_cast<TEdit*>(c))
            edit->SetText(wert);
        else if (auto* box = dynamic_cast<TCheckBox*>(c))
            box->SetChecked(wert == "true");
        else if (auto* knopf = dynamic_cast<TRadioButton*>(c))
            knopf->SetChecked(wert == "true");
    }
    return true;
}

void TForm1::Profil_reade(TObject*) { load_profil(); }

void TForm1::save_profil(TObject*)
{
    Profilbild(Image13, "gifs\\save24_d.gif");
    Label1->SetCaption("Profil speichern?");
    Nachrichten_verarbeiten();

    if (ComboBox3->Text().empty()) ComboBox3->SetText(MUSTERPROFIL);
    String name = ComboBox3->Text();
    if (Profilname_gueltig(name)) {
        const String datei = programm_ordner + DATEI_PROFILE;
        TStringList liste;
        if (FileExists(datei)) liste.LoadFromFile(datei);
        // A name already listed keeps its spelling: its file is the same one.
        const int i = liste.IndexOf(name);
        if (i >= 0) name = liste[i];

        TStringList profil;
        profil.Add(String("[") + PROFIL_SEKTION + "]");
        for (const String& schluessel : Profilschluessel()) {
            TComponent* c = FindComponent(schluessel);
            String wert;
            if (auto* edit = dynamic_cast<TEdit*>(c))
                wert = edit->Text();
            else if (auto* box = dynamic_cast<TCheckBox*>(c))
                wert = box->Checked() ? "true" : "false";
            else if (auto* knopf = dynamic_cast<TRadioButton*>(c))
                wert = knopf->Checked() ? "true" : "false";
            profil.Add(schluessel + "=" + wert);
        }
        // The settings first, then the list: an interrupted save leaves at worst a file that no
        // list line names, never a listed profile with half its keys.
        try {
            profil.SaveToFile(Profildatei(name));
            Profil_entfernen(liste, name);
            liste.Add(name);
            liste.SaveToFile(datei);
            ComboBox3->Items()->Assign(liste);
            ComboBox3->SetText(name);
        } catch (const Exception& e) {
            MessageBox(Dateifehler_Text("Das Profil \"" + name + "\" kann nicht gespeichert werden!", e),
                       "Info", MB_OK);
        }
    } else {
        Profilname_ablehnen(name);
    }

    Sleep(500);
    Profilbild(Image13, "gifs\\save24.gif");
    zaehler_Image13 = 0;
}

void TForm1::Profil_loeschen(TObject*)
{
    Profilbild(Image14, "gifs\\delete_x24_d.gif");
    Nachrichten_verarbeiten();

    const String name = ComboBox3->Text();
    if (SameText(name, MUSTERPROFIL)) {
        MessageBox("Warnung: Darf nicht gelöscht werden!", "Info", MB_OK);
    } else if (!Profilname_gueltig(name)) {
        Profilname_ablehnen(name);
        Profilbild(Image14, "gifs\\delete_x24.gif");
        return;
    } else {
        const String datei = programm_ordner + DATEI_PROFILE;
        TStringList liste;
        if (FileExists(datei)) liste.LoadFromFile(datei);
        if (Profil_entfernen(liste, name)) {
            // The list always names a profile to fall back on.
            if (liste.Count() == 0) liste.Add(MUSTERPROFIL);
            // The list first: an interrupted delete leaves an unlisted file, never a listed
            // profile without its file.
            try {
                liste.SaveToFile(datei);
            } catch (const Exception& e) {
                MessageBox(Dateifehler_Text("Das Profil \"" + name + "\" kann nicht gelöscht werden!", e),
                           "Info", MB_OK);
                Profilbild(Image14, "gifs\\delete_x24.gif");
                return;
            }
            // Unlisted, the profile is gone for the user; a file that cannot go only takes space.
            (void)DeleteFile(Profildatei(name));
            ComboBox3->Items()->Assign(liste);
            ComboBox3->SetText(liste[0]);
        }
    }
    if (ComboBox3->Text().empty()) return;

    load_profil();
    Sleep(500);
    Profilbild(Image14, "gifs\\delete_x24.gif");
}
