#pragma once
// The Qt Widgets view of the zub model. While a TQtView exists, every form that the program shows
// gets a window with one widget per control, kept in step with the model's change notices, and
// user input goes back into the model (which fires its events). The real dialogs, clipboard,
// printer and shell are installed in place of the headless ones.
//
// The zub message loop stays the program's loop: the view adds a short zub timer that applies
// pending notices and lets Qt handle its events, so nested zub loops (ShowModal, ProcessMessages)
// keep the windows alive too. Qt's own modal loops (message boxes, the print dialog) keep the
// zub queues running in turn.
//
// No Qt header is needed to use it.
#include <memory>

#include "zub/Classes.h"

class QWidget;
class QObject;

class TQtView {
public:
    // Creates the Qt application object from the command line (when there is none yet). Call on
    // the user-interface thread after Application->Initialize().
    TQtView(int& argc, char** argv);
    ~TQtView();
    TQtView(const TQtView&) = delete;
    TQtView& operator=(const TQtView&) = delete;

    // The view in use, nullptr when there is none.
    static TQtView* Instance();

    // Applies every pending notice, then lets Qt handle pending events. The zub timer calls it;
    // tests call it to bring the screen up to date.
    void Pump();

    // The widget showing a control (a form's window for a form), nullptr when it has none.
    QWidget* WidgetOf(const TComponent* c) const;
    // The Qt object standing for a component that is no control (a tray icon), or nullptr.
    QObject* ObjectOf(const TComponent* c) const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};
