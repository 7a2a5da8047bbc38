#pragma once
// Controls: the common base of everything placed on a form. Every property may be read and
// written from any thread: each access takes the control's lock, and each change posts a notice
// (zub/Notices.h). Events fire on the thread that caused them; user input arrives through the
// input methods (Click, MouseDown, ...) on the user-interface thread.
#include <functional>
#include <memory>

#include "zub/Classes.h"
#include "zub/Graphics.h"
#include "zub/Layout.h"
#include "zub/Notices.h"

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

// Virtual key codes.
constexpr unsigned short VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32, VK_LEFT = 37,
                         VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_DELETE = 46, VK_F1 = 112, VK_F2 = 113,
                         VK_F5 = 116, VK_F9 = 120, VK_F12 = 123;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, unsigned short& Key, TShiftState Shift)>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Layout value helpers shared by the control classes; each raises ELayoutError naming the line.
// An enumeration identifier as its index in names.
int LayoutEnum(const TLayoutValue& v, std::initializer_list<const char*> names);
// A colour: a constant name (clRed) or a number ($00FF00).
TColor LayoutColor(const TLayoutValue& v);
// Picture data ({ ... }), optionally behind the name of its picture class.
void LoadLayoutPicture(TPicture& picture, const TLayoutValue& v);
// A string list ( 'a' 'b' ) into lines, replacing them.
void AssignLayoutList(TStrings& lines, const TLayoutValue& v);

// The edges of a control that keep their distance to the same edges of its parent when the
// parent changes size: anchored left and right it grows with the parent, right alone it moves.
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

class TControl : public TComponent, public ILayoutTarget {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const;
    TAnchors Anchors() const;
    void SetAnchors(TAnchors a);
    // No borders in the model: the client area is the whole control.
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientWidth(int v) { SetWidth(v); }
    void SetClientHeight(int v) { SetHeight(v); }
    TRect ClientRect() const;

    bool Visible() const;
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    virtual void SetEnabled(bool v);

    // Caption and Text are one property (labels and buttons call it Caption, edits Text).
    String Caption() const { return Text(); }
    void SetCaption(const String& s) { SetText(s); }
    virtual String Text() const;
    virtual void SetText(const String& s);

    String Hint() const;
    void SetHint(const String& s);
    bool ShowHint() const;
    void SetShowHint(bool v);
    TColor Color() const;
    void SetColor(TColor c);
    // The control's font; changes through it post a Font notice.
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    TCursor Cursor() const;
    void SetCursor(TCursor c);
    bool Transparent() const;
    void SetTransparent(bool v);

    TControl* Parent() const;
    void SetParent(TControl* parent);
    int ControlCount() const;
    TControl* Controls(int index) const;
    // The outermost parent (the form), this control when it has no parent.
    TControl* TopParent() const;
    // In front of its siblings: last among its parent's controls, painted over the others (the
    // view raises its widget). A form asks for its window to come to the foreground.
    virtual void BringToFront();

    bool Focused() const;
    void SetFocus();  // takes the focus from the control of the same form that had it

    // Asks the view to paint the control again.
    void Invalidate();
    void Repaint() { Invalidate(); }
    void Refresh() { Invalidate(); }
    // Suspends (false) and resumes (true) painting around a series of changes; resuming paints.
    void SetRedraw(bool on);
    bool Redraw() const;
    // The canvas being painted while Paint runs (owner-draw handlers draw on it); otherwise the
    // lasting canvas a view keeps for the control (what is drawn on it stays on screen), or
    // without a view a recording canvas that nobody shows.
    TCanvas* Canvas();
    // Set by a view on the user-interface thread while it shows the control; nullptr: none.
    void SetLastingCanvas(TCanvas* canvas) { FLastingCanvas = canvas; }
    // Paints the control's own content on canvas (owner-drawn lists and grids call their draw
    // events). Called by the view, or by a test with a recording canvas.
    void PaintTo(TCanvas& canvas);

    // User input, on the user-interface thread. A disabled control ignores it.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The form sees the key first when its KeyPreview is on; a handler that sets key to 0 keeps it
    // from the control.
    virtual void KeyDown(unsigned short& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKeyEvent OnKeyDown;
    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

protected:
    void PostNotice(TNotice n);
    static void Fire(const TNotifyEvent& e, TObject* sender)
    {
        if (e) e(sender);
    }
    virtual void Paint(TCanvas&) {}
    virtual bool KeyPreviewOn() const { return false; }

private:
    // The parent's size changed by (dw, dh): the anchored edges follow.
    void ParentResized(int dw, int dh);

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAnchors FAnchors = akLeft | akTop;
    bool FVisible = true;
    bool FEnabled = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    TColor FColor = clBtnFace;
    TFont FFont;
    TCursor FCursor = crDefault;
    bool FTransparent = false;
    bool FFocused = false;
    bool FRedraw = true;
    TControl* FParent = nullptr;
    std::vector<TControl*> FControls;  // guarded by TreeLock
    TCanvas* FPaintCanvas = nullptr;
    TCanvas* FLastingCanvas = nullptr;
    std::unique_ptr<TRecordingCanvas> FIdleCanvas;
};

// A string list that belongs to a control: every change takes the control's lock and posts an
// item notice, so a worker can fill it while the user-interface thread reads and paints it.
class TControlStrings : public TStringList {
public:
    TControlStrings(TComponent* owner, std::recursive_mutex& lock, TProp prop);
    TControlStrings(const TControlStrings&) = delete;
    TControlStrings& operator=(const TControlStrings&) = delete;

    int Count() const override;
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const String& s) const override;
    // A bulk change (SetText, Assign, LoadFromFile, ...) holds the lock from BeginUpdate to
    // EndUpdate, so other threads see the list before or after it, never half done.
    void BeginUpdate() override;
    void EndUpdate() override;
    void Sort();
    // Snapshot of all lines, taken under the lock.
    std::vector<String> ToVector() const;

    // Runs after every change, with the lock held (a radio group rebuilds its buttons).
    std::function<void()> OnItemsChanged;

private:
    void Post(TNoticeKind kind, int index, const String& text);
    TComponent* FOwner;
    std::recursive_mutex& FLock;
    TProp FProp;
};
