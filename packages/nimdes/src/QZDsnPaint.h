#pragma once
// The design-time paint toolkit: the base of the package's paint handlers with its drawing
// operations, and the generic handler that the runtime uses for controls without their own.
#include "QZRuntime.h"

// Scoped: the component library's shift state has its own ssLeft and ssRight.
enum class TSides { ssLeft, ssTop, ssRight, ssBottom };
using TSidesSet = unsigned char;  // bit 0 ssLeft .. bit 3 ssBottom
constexpr TSidesSet Sides(std::initializer_list<TSides> s)
{
    TSidesSet r = 0;
    for (TSides x : s) r = static_cast<TSidesSet>(r | (1u << static_cast<unsigned>(x)));
    return r;
}
enum TArrowDirection { adUp, adDown, adLeft, adRight };

// The runtime's range error (a system colour where a plain colour is needed).
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

constexpr TColor kToolkitGrey = 0xC0C0C0;

class TQZPaintHandlerDsn : public TQZPaintHandler {
public:
    using TQZPaintHandler::TQZPaintHandler;
    // The plain outline in grey.
    void Paint() override;

    void SetCanvasFont(const TQZFont& font);
    void DrawOutline(TColor color);
    void DrawOutline(int left, int top, int right, int bottom, TColor color);
    // A bitmap resource of any loaded module at (x, y); "BLANK" when none holds that name;
    // nothing when there is no "BLANK" either.
    // transparent: the picture's background colour is not drawn (pictures on the control's own
    // colour, such as the radio buttons).
    void DrawResource(const String& name, int x, int y, bool transparent = false);
    void SetTransparent();
    void Draw3DBox();
    // ERangeError for a negative (system) colour, before anything is drawn.
    void Draw3DBox(const TRect& rect, int width, TColor color, TSidesSet sides);
    void DrawArrow(const TRect& rect, TArrowDirection direction);
    void DrawScrollBar(const TRect& rect);
    TRect DrawButton(const TRect& rect, int bevel, bool flag1, bool flag2);
    void DrawTextLines(const TRect& rect, const TStrings& lines, bool wordWrap);
    // The generic look: grey outline and the class picture in the middle.
    void GenericLook();

protected:
    TCanvas& Canvas() const { return *GetControlCanvas(); }
    int Width() const { return Control()->Width(); }
    int Height() const { return Control()->Height(); }
};

// The runtime's default handler: a grey box with the control's class picture in its centre.
class TQZPaintHandlerComponent : public TQZPaintHandlerDsn {
public:
    using TQZPaintHandlerDsn::TQZPaintHandlerDsn;
    void Paint() override;
};

namespace QZDsnPaint {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace QZDsnPaint
