#pragma once
// Track bars, progress bars, date pickers, animations and rich text.
#include "rtl/DateUtils.h"
#include "zub/StdCtrls.h"

enum TTrackBarOrientation { trHorizontal, trVertical };

// Position stays within Min..Max; a change fires OnChange.
class TTrackBar : public TControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    int Min() const;
    int Max() const;
    int Position() const;
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);
    int Frequency() const;
    void SetFrequency(int v);
    TTrackBarOrientation Orientation() const;
    void SetOrientation(TTrackBarOrientation o);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    int FMin = 0, FMax = 10, FPosition = 0, FFrequency = 1;
    TTrackBarOrientation FOrientation = trHorizontal;
};

class TProgressBar : public TControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    int Min() const;
    int Max() const;
    int Position() const;
    void SetMin(int v);
    void SetMax(int v);
    void SetPosition(int v);  // clamped to Min..Max
    int Step() const;
    void SetStep(int v);
    // Advances by Step; past Max it starts again at Min.
    void StepIt();
    void StepBy(int delta);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    int FMin = 0, FMax = 100, FPosition = 0, FStep = 10;
};

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    TDateTime DateTime() const;
    void SetDateTime(TDateTime t);
    TDateTime Date() const;  // without the time of day
    void SetDate(TDateTime t);
    TDateTimeKind Kind() const;
    void SetKind(TDateTimeKind k);
    TDTDateFormat DateFormat() const;
    void SetDateFormat(TDTDateFormat f);
    // The shown text: short "dd.mm.yyyy", long "Donnerstag, 10. Dezember 2026", time "hh:mm:ss".
    String Text() const override;
    // User input: a new date picked (fires OnChange).
    void UserSetDateTime(TDateTime t);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    TDateTime FDateTime;
    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
};

// Long date in German: weekday, day, month name and year.
String FormatLongDate(TDateTime t);

// Plays frames of an AVI file. The model keeps the file, the frame range and the frame shown;
// a view animates between. Frame numbers are those the caller uses; FrameCount comes from the
// file's header (0 when the file is missing or no AVI file).
class TAnimate : public TControl {
public:
    explicit TAnimate(TComponent* AOwner);
    String FileName() const;
    void SetFileName(const String& name);
    int FrameCount() const;
    // Starts playing frames from..to, count times (0: until stopped); shows frame from.
    void Play(int from, int to, int count);
    void Stop();  // keeps the frame shown
    // Shows one frame, stopping playback.
    void Seek(int frame);
    bool Active() const;
    void SetActive(bool v);  // true plays StartFrame..StopFrame Repetitions times
    int FrameShown() const;
    int PlayFrom() const;
    int PlayTo() const;
    int PlayCount() const;
    int StartFrame() const;
    void SetStartFrame(int f);
    int StopFrame() const;
    void SetStopFrame(int f);
    int Repetitions() const;
    void SetRepetitions(int n);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    String FFileName;
    int FFrameCount = 0;
    bool FActive = false;
    int FFrameShown = 0, FFrom = 0, FTo = 0, FCount = 0;
    int FStartFrame = 1, FStopFrame = 0, FRepetitions = 0;
};

// Total frames of an AVI file (its main header), 0 when unreadable.
int AviFrameCount(const String& fileName);

class TRichEdit : public TMemo {
public:
    explicit TRichEdit(TComponent* AOwner);
    // Prints the lines as one job (through the printer service, zub/Printers.h).
    void Print(const String& title);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
};
