#pragma once
// A headless main window on virtual time with the dialogs, the shell and the printer recording,
// and every toolbar picture as a tiny GIF that carries its own name.
#include <gtest/gtest.h>

#include "FormTestbasis.h"
#include "rtl/Clock.h"
#include "zub/Dialogs.h"
#include "zub/Printers.h"
#include "zub/ShellApi.h"

namespace toolbar {

class ToolbarTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        // Without history the start-up comparison leaves its hints in the tip list.
        form->ListBox1->Clear();
        ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
        for (const char* stamm :
             {"save24", "delete_x24", "mail24", "help24", "print24", "web_download24",
              "edit_table_structure24", "web_search24", "up_blue24", "down_blue24", "favorites24"})
            for (const char* variante : {"", "_h", "_d"}) bild_anlegen(String(stamm) + variante + ".gif");
        for (const char* stamm : {"archiv", "statistik"})
            for (const char* variante : {"", "_", "_u"}) bild_anlegen(String(stamm) + variante + ".jpg");
        dialoge = std::make_shared<THeadlessDialogs>();
        alte_dialoge = SetDialogs(dialoge);
        shell = std::make_shared<THeadlessShell>();
        alte_shell = SetShell(shell);
        drucker = std::make_shared<THeadlessPrinter>();
        alter_drucker = SetPrinter(drucker);
    }
    void TearDown() override
    {
        SetPrinter(alter_drucker);
        SetShell(alte_shell);
        SetDialogs(alte_dialoge);
        Form1Test::TearDown();
    }
    void bild_anlegen(const String& name) { AtomicWriteFile(ordner + "gifs/" + name, Testbild(name)); }
    TImage* bild(const String& name) { return dynamic_cast<TImage*>(form->FindComponent(name)); }
    TControl* element(const String& name) { return dynamic_cast<TControl*>(form->FindComponent(name)); }

    // Declared first: the clock is installed before the window is built and removed after it.
    TVirtualClockGuard uhr{EncodeDate(2009, 8, 12) + EncodeTime(12, 0, 0, 0)};
    std::shared_ptr<THeadlessDialogs> dialoge;
    std::shared_ptr<IDialogs> alte_dialoge;
    std::shared_ptr<THeadlessShell> shell;
    std::shared_ptr<IShell> alte_shell;
    std::shared_ptr<THeadlessPrinter> drucker;
    std::shared_ptr<IPrinter> alter_drucker;
};

}  // namespace toolbar
