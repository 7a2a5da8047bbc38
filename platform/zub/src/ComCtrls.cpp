#include "zub/ComCtrls.h"

#include <algorithm>
#include <cmath>

#include "rtl/Files.h"
#include "zub/Printers.h"

// ---- TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 150, 45); }

int TTrackBar::Min() const { return Get(FMin); }
int TTrackBar::Max() const { return Get(FMax); }
int TTrackBar::Position() const { return Get(FPosition); }

void TTrackBar::SetMin(int v)
{
    bool moved;
    {
        std::lock_guard g(Lock());
        Put(FMin, v, TProp::Range);
        if (FMax < v) Put(FMax, v, TProp::Range);
        moved = Put(FPosition, std::clamp(FPosition, FMin, FMax), TProp::Position);
    }
    if (moved) Fire(OnChange, this);
}

void TTrackBar::SetMax(int v)
{
    bool moved;
    {
        std::lock_guard g(Lock());
        Put(FMax, v, TProp::Range);
        if (FMin > v) Put(FMin, v, TProp::Range);
        moved = Put(FPosition, std::clamp(FPosition, FMin, FMax), TProp::Position);
    }
    if (moved) Fire(OnChange, this);
}

void TTrackBar::SetPosition(int v)
{
    bool moved;
    {
        std::lock_guard g(Lock());
        moved = Put(FPosition, std::clamp(v, FMin, FMax), TProp::Position);
    }
    if (moved) Fire(OnChange, this);
}

int TTrackBar::Frequency() const { return Get(FFrequency); }
void TTrackBar::SetFrequency(int v) { Put(FFrequency, v, TProp::Style); }
TTrackBarOrientation TTrackBar::Orientation() const { return Get(FOrientation); }
void TTrackBar::SetOrientation(TTrackBarOrientation o) { Put(FOrientation, o, TProp::Style); }

bool TTrackBar::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Min"))
        SetMin(v.AsInt());
    else if (SameText(name, "Max"))
        SetMax(v.AsInt());
    else if (SameText(name, "Position"))
        SetPosition(v.AsInt());
    else if (SameText(name, "Frequency"))
        SetFrequency(v.AsInt());
    else if (SameText(name, "Orientation"))
        SetOrientation(static_cast<TTrackBarOrientation>(LayoutEnum(v, {"trHorizontal", "trVertical"})));
    else if (SameText(name, "TickStyle") || SameText(name, "TickMarks") || SameText(name, "PageSize") ||
             SameText(name, "LineSize") || SameText(name, "ThumbLength") || SameText(name, "SliderVisible"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 150, 17); }

int TProgressBar::Min() const { return Get(FMin); }
int TProgressBar::Max() const { return Get(FMax); }
int TProgressBar::Position() const { return Get(FPosition); }
int TProgressBar::Step() const { return Get(FStep); }
void TProgressBar::SetStep(int v) { Put(FStep, v, TProp::Style); }

void TProgressBar::SetMin(int v)
{
    std::lock_guard g(Lock());
    Put(FMin, v, TProp::Range);
    if (FMax < v) Put(FMax, v, TProp::Range);
    Put(FPosition, std::clamp(FPosition, FMin, FMax), TProp::Position);
}

void TProgressBar::SetMax(int v)
{
    std::lock_guard g(Lock());
    Put(FMax, v, TProp::Range);
    if (FMin > v) Put(FMin, v, TProp::Range);
    Put(FPosition, std::clamp(FPosition, FMin, FMax), TProp::Position);
}

void TProgressBar::SetPosition(int v)
{
    std::lock_guard g(Lock());
    Put(FPosition, std::clamp(v, FMin, FMax), TProp::Position);
}

void TProgressBar::StepBy(int delta)
{
    std::lock_guard g(Lock());
    SetPosition(FPosition + delta);
}

void TProgressBar::StepIt()
{
    std::lock_guard g(Lock());
    int next = FPosition + FStep;
    if (next > FMax) next = FMin + (next - FMax);  // wraps around as the desktop control does
    SetPosition(next);
}

bool TProgressBar::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Min"))
        SetMin(v.AsInt());
    else if (SameText(name, "Max"))
        SetMax(v.AsInt());
    else if (SameText(name, "Position"))
        SetPosition(v.AsInt());
    else if (SameText(name, "Step"))
        SetStep(v.AsInt());
    else if (SameText(name, "Smooth") || SameText(name, "Orientation"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TDateTimePicker

String FormatLongDate(TDateTime t)
{
    static const char* days[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
    static const char* months[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                   "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    int y = 0, m = 0, d = 0;
    DecodeDate(t, y, m, d);
    return String(days[DayOfWeek(t) - 1]) + ", " + IntToStr(d) + ". " + months[m - 1] + " " + IntToStr(y);
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TControl(AOwner)
{
    SetBounds(0, 0, 186, 21);
    SetColor(clWindow);
}

TDateTime TDateTimePicker::DateTime() const
{
    std::lock_guard g(Lock());
    return FDateTime;
}

void TDateTimePicker::SetDateTime(TDateTime t)
{
    std::lock_guard g(Lock());
    if (FDateTime.Val == t.Val) return;
    FDateTime = t;
    Changed(TProp::DateTime);
}

TDateTime TDateTimePicker::Date() const { return DateOf(DateTime()); }

void TDateTimePicker::SetDate(TDateTime t)
{
    std::lock_guard g(Lock());
    double time = FDateTime.Val - std::floor(FDateTime.Val);
    SetDateTime(TDateTime(std::floor(t.Val) + time));
}

TDateTimeKind TDateTimePicker::Kind() const { return Get(FKind); }
void TDateTimePicker::SetKind(TDateTimeKind k) { Put(FKind, k, TProp::Style); }
TDTDateFormat TDateTimePicker::DateFormat() const { return Get(FDateFormat); }
void TDateTimePicker::SetDateFormat(TDTDateFormat f) { Put(FDateFormat, f, TProp::Style); }

String TDateTimePicker::Text() const
{
    std::lock_guard g(Lock());
    if (FKind == dtkTime) return TimeToStr(FDateTime);
    return FDateFormat == dfLong ? FormatLongDate(FDateTime) : DateToStr(FDateTime);
}

void TDateTimePicker::UserSetDateTime(TDateTime t)
{
    if (!Enabled()) return;
    SetDateTime(t);
    Fire(OnChange, this);
}

bool TDateTimePicker::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Date"))
        SetDate(TDateTime(v.AsFloat()));
    else if (SameText(name, "Time")) {
        std::lock_guard g(Lock());
        double f = v.AsFloat();
        SetDateTime(TDateTime(std::floor(FDateTime.Val) + (f - std::floor(f))));
    } else if (SameText(name, "DateTime"))
        SetDateTime(TDateTime(v.AsFloat()));
    else if (SameText(name, "Kind"))
        SetKind(static_cast<TDateTimeKind>(LayoutEnum(v, {"dtkDate", "dtkTime"})));
    else if (SameText(name, "DateFormat"))
        SetDateFormat(static_cast<TDTDateFormat>(LayoutEnum(v, {"dfShort", "dfLong"})));
    else if (SameText(name, "DateMode") || SameText(name, "CalAlignment") || SameText(name, "ShowCheckbox") ||
             SameText(name, "Checked") || SameText(name, "ParseInput"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TAnimate

int AviFrameCount(const String& fileName)
{
    String bytes;
    try {
        bytes = ReadFileBytes(fileName);
    } catch (const Exception&) {
        return 0;
    }
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "AVI ") != 0) return 0;
    std::size_t at = bytes.find("avih", 12);
    if (at == String::npos || at + 8 + 20 > bytes.size()) return 0;
    std::size_t p = at + 8 + 16;  // dwTotalFrames
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[p + i]);
    return static_cast<int>(v);
}

TAnimate::TAnimate(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 100, 80); }

String TAnimate::FileName() const { return Get(FFileName); }

void TAnimate::SetFileName(const String& name)
{
    int frames = name.empty() ? 0 : AviFrameCount(name);
    std::lock_guard g(Lock());
    FFileName = name;
    FFrameCount = frames;
    FActive = false;
    FStopFrame = frames;
    Changed(TProp::Picture);
}

int TAnimate::FrameCount() const { return Get(FFrameCount); }

void TAnimate::Play(int from, int to, int count)
{
    std::lock_guard g(Lock());
    FFrom = from;
    FTo = to;
    FCount = count;
    FFrameShown = from;
    FActive = true;
    Changed(TProp::Frame);
}

void TAnimate::Stop()
{
    std::lock_guard g(Lock());
    if (!FActive) return;
    FActive = false;
    Changed(TProp::Frame);
}

void TAnimate::Seek(int frame)
{
    std::lock_guard g(Lock());
    FActive = false;
    FFrameShown = frame;
    Changed(TProp::Frame);
}

bool TAnimate::Active() const { return Get(FActive); }

void TAnimate::SetActive(bool v)
{
    std::lock_guard g(Lock());
    if (v)
        Play(FStartFrame, FStopFrame, FRepetitions);
    else
        Stop();
}

int TAnimate::FrameShown() const { return Get(FFrameShown); }
int TAnimate::PlayFrom() const { return Get(FFrom); }
int TAnimate::PlayTo() const { return Get(FTo); }
int TAnimate::PlayCount() const { return Get(FCount); }
int TAnimate::StartFrame() const { return Get(FStartFrame); }
void TAnimate::SetStartFrame(int f) { Put(FStartFrame, f, TProp::Style); }
int TAnimate::StopFrame() const { return Get(FStopFrame); }
void TAnimate::SetStopFrame(int f) { Put(FStopFrame, f, TProp::Style); }
int TAnimate::Repetitions() const { return Get(FRepetitions); }
void TAnimate::SetRepetitions(int n) { Put(FRepetitions, n, TProp::Style); }

bool TAnimate::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "FileName"))
        SetFileName(v.AsString());
    else if (SameText(name, "StartFrame"))
        SetStartFrame(v.AsInt());
    else if (SameText(name, "StopFrame"))
        SetStopFrame(v.AsInt());
    else if (SameText(name, "Repetitions"))
        SetRepetitions(v.AsInt());
    else if (SameText(name, "Active"))
        SetActive(v.AsBool());
    else if (SameText(name, "Center") || SameText(name, "CommonAVI") || SameText(name, "Timers") ||
             SameText(name, "AutoSize"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TRichEdit

TRichEdit::TRichEdit(TComponent* AOwner) : TMemo(AOwner) {}

void TRichEdit::Print(const String& title)
{
    TPrintJob job;
    job.Title = title;
    job.Lines = Lines()->ToVector();
    PrintJob(job);
}

bool TRichEdit::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "HideSelection") || SameText(name, "HideScrollBars") || SameText(name, "Zoom"))
        return true;
    return TMemo::SetLayoutProperty(name, v);
}
