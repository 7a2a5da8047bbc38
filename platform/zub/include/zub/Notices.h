#pragma once
// Change notices: how the model tells a view what changed. Every property write of a control
// (from any thread) posts one notice to the application's queue, in the order the writing thread
// made its writes; the user-interface thread's message loop hands the queued notices, in queue
// order, to the observer a view installs. Without an observer nothing is queued.
//
// A notice names the component and what changed. For plain properties the view reads the current
// value from the control; list changes carry the index and the text written, so a view can
// mirror a list without rereading it.
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "rtl/SysUtils.h"

class TComponent;

enum class TProp : std::uint16_t {
    Bounds,  // Left, Top, Width, Height
    Visible,
    Enabled,
    Text,  // Caption or Text
    Hint,  // Hint, ShowHint
    Color,
    Font,
    Cursor,  // Sender nullptr: the screen's cursor (Screen->Cursor)
    Parent,
    Checked,
    Items,  // with TNoticeKind::Item* below
    ItemIndex,
    Cells,  // one grid cell: Index = column, Index2 = row, Text = value
    GridSize,  // ColCount, RowCount, fixed rows/columns, widths and heights
    TopRow,
    Position,  // track bar, progress bar
    Range,  // Min, Max
    DateTime,
    Picture,
    Frame,  // animation frame shown, playing state
    Lines,  // memo and rich edit lines (Item* kinds)
    Balloon,  // tray icon balloon shown: Text = title, second line the hint
    FormState,  // shown, hidden, modal, closed
    Style,  // any other property that changes the look (border style, alignment, ...)
    Repaint,  // paint the control again (Invalidate); Text "redraw=0"/"redraw=1" from SetRedraw
    Request,  // a request to the window system: Text "move" (follow the mouse), "front" (foreground)
    Destroyed,  // the component is gone; do not touch Sender
};

enum class TNoticeKind : std::uint8_t {
    Property,  // Prop changed; read the value from Sender
    ItemInserted,  // Index = position, Text = the line
    ItemChanged,  // Index = position, Text = the new line
    ItemDeleted,  // Index = position
    ItemsCleared,
};

struct TNotice {
    TNotice() = default;
    TNotice(TComponent* sender, TProp prop, TNoticeKind kind = TNoticeKind::Property, int index = -1,
            int index2 = -1, String text = {})
        : Sender(sender), Prop(prop), Kind(kind), Index(index), Index2(index2), Text(std::move(text))
    {
    }
    TComponent* Sender = nullptr;
    TProp Prop = TProp::Style;
    TNoticeKind Kind = TNoticeKind::Property;
    int Index = -1;
    int Index2 = -1;
    String Text;
};

using TNoticeObserver = std::function<void(const TNotice&)>;

class TNoticeQueue {
public:
    // Any thread. Queues n when an observer is installed and wakes the message loop.
    void Post(TNotice n);
    bool Empty() const;
    // User-interface thread: hands every queued notice to the observer, oldest first, including
    // those posted meanwhile. Returns the number delivered.
    int Drain();
    // Installs the observer (nullptr: none; queued notices are dropped). Returns the previous.
    TNoticeObserver SetObserver(TNoticeObserver observer);
    bool Observed() const;
    // Drops queued notices of a component that is being destroyed.
    void Forget(TComponent* c);
    // A component's destructor: drops its queued notices and tells the observer that it is gone.
    // On the user-interface thread the observer hears it at once, so no input the window system
    // delivers meanwhile (a modal loop runs before the queue is drained) reaches the freed
    // component; from another thread the notice is queued.
    void Destroyed(TComponent* c);
    // Called after each post, from the posting thread.
    void SetWake(std::function<void()> wake);

private:
    mutable std::mutex FLock;
    std::deque<TNotice> FQueue;
    TNoticeObserver FObserver;
    std::function<void()> FWake;
    bool FObserved = false;
};

// The application's queue.
TNoticeQueue& Notices();
