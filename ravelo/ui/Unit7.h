#pragma once
// The dialog to enter favourite tips: appends the filled rows to meineFavoritten.txt and keeps
// the option that compares them with the draws at every start.
#include <array>

#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

class TForm7 : public TForm {
public:
    TImage* Image1;
    TLabel *Label1, *Label2;
    // Twelve rows of six numbers: row r (1..12) is Edit(6r-5) .. Edit(6r); Edit73 names the file.
    TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10, *Edit11, *Edit12,
        *Edit13, *Edit14, *Edit15, *Edit16, *Edit17, *Edit18, *Edit19, *Edit20, *Edit21, *Edit22, *Edit23,
        *Edit24, *Edit25, *Edit26, *Edit27, *Edit28, *Edit29, *Edit30, *Edit31, *Edit32, *Edit33, *Edit34,
        *Edit35, *Edit36, *Edit37, *Edit38, *Edit39, *Edit40, *Edit41, *Edit42, *Edit43, *Edit44, *Edit45,
        *Edit46, *Edit47, *Edit48, *Edit49, *Edit50, *Edit51, *Edit52, *Edit53, *Edit54, *Edit55, *Edit56,
        *Edit57, *Edit58, *Edit59, *Edit60, *Edit61, *Edit62, *Edit63, *Edit64, *Edit65, *Edit66, *Edit67,
        *Edit68, *Edit69, *Edit70, *Edit71, *Edit72, *Edit73;
    TCheckBox* CheckBox1;
    TButton *Button1, *Button2;

    explicit TForm7(TComponent* Owner);

    // [Favoritten] CheckBox1 of the bare-named environment.ini <-> CheckBox1.
    void lese_Favoritten_Option();
    void schreibe_Favoritten_Option();

    void Button2Click(TObject* Sender);  // OK: check, append, save the option, close
    void Button1Click(TObject* Sender);  // Abbrechen
    void Mitte7(TObject* Sender);  // OnShow: centre over the main window

private:
    // Red message in Label1; the dialog stays open.
    void Fehler(const String& text);
    std::array<TEdit*, 72> FZahlen{};  // Edit1 .. Edit72
};

extern TForm7* Form7;
