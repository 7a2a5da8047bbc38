#pragma once
// String lists and threads.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "rtl/SysUtils.h"

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An event handler that one thread sets while another reads it (a thread's OnTerminate is set by
// its creator while the worker may be ending). Assign, test and call it like a TNotifyEvent.
class TSharedNotifyEvent {
public:
    TSharedNotifyEvent() = default;
    TSharedNotifyEvent(const TSharedNotifyEvent&) = delete;
    TSharedNotifyEvent& operator=(const TSharedNotifyEvent&) = delete;
    TSharedNotifyEvent& operator=(TNotifyEvent handler)
    {
        std::lock_guard<std::mutex> lock(FLock);
        FHandler = std::move(handler);
        return *this;
    }
    TSharedNotifyEvent& operator=(std::nullptr_t) { return *this = TNotifyEvent(); }
    TNotifyEvent Get() const
    {
        std::lock_guard<std::mutex> lock(FLock);
        return FHandler;
    }
    explicit operator bool() const { return static_cast<bool>(Get()); }
    void operator()(TObject* Sender) const
    {
        if (TNotifyEvent h = Get()) h(Sender);
    }

private:
    mutable std::mutex FLock;
    TNotifyEvent FHandler;
};

// Abstract list of strings. The core operations are virtual so that a control's item list
// (platform/zub) can lock and notify; everything else is written on top of them.
class TStrings : public TObject {
public:
    ~TStrings() override = default;
    virtual int Count() const = 0;
    virtual String Get(int index) const = 0;  // EListError out of range
    virtual void Put(int index, const String& s) = 0;  // EListError out of range
    virtual void Insert(int index, const String& s) = 0;  // 0..Count, else EListError
    virtual void Delete(int index) = 0;  // EListError out of range
    virtual void Clear() = 0;
    // Brackets a series of changes (a control repaints once at the end).
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}

    int Add(const String& s);  // returns the new index
    String operator[](int index) const { return Get(index); }
    String Strings(int index) const { return Get(index); }
    // Case-insensitive (ASCII), as the component library's lists compare; -1 when absent.
    virtual int IndexOf(const String& s) const;
    void Assign(const TStrings& other);
    void AddStrings(const TStrings& other);

    // Lines joined with "\r\n" after each; set splits on LF, CR LF or CR.
    String GetText() const;
    void SetText(const String& text);
    // Fields separated by ","; a field holding a space (or another control character), a comma or
    // a double quote is enclosed in double quotes with inner quotes doubled; a list of one empty
    // line is written as "" so that it reads back. Set: quoted fields are unquoted, unquoted fields end
    // at a comma or a space (blanks between fields skipped), and a final comma yields an empty last
    // element.
    String GetCommaText() const;
    void SetCommaText(const String& text);
    // "Name=Value" lines; names compare case-insensitively. SetValue with an empty value removes
    // the line.
    String Names(int index) const;
    String GetValue(const String& name) const;
    void SetValue(const String& name, const String& value);
    int IndexOfName(const String& name) const;

    // Raises EFOpenError when the file cannot be opened; accepts LF and CR LF; keeps UTF-8 bytes.
    void LoadFromFile(const String& fileName);
    // Atomic: writes a temporary file beside it, then renames it over the old one.
    // Line ends are "\n" unless changed with SetLineBreak.
    void SaveToFile(const String& fileName) const;
    void SetLineBreak(const String& lb) { FLineBreak = lb; }
    const String& LineBreak() const { return FLineBreak; }

protected:
    String FLineBreak = "\n";
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList& other) : TStrings(), FItems(other.FItems) {}
    TStringList& operator=(const TStringList& other)
    {
        FItems = other.FItems;
        Changed();
        return *this;
    }

    int Count() const override { return static_cast<int>(FItems.size()); }
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void Sort();  // ASCII case-insensitive, stable

    TNotifyEvent OnChange;

protected:
    void Changed();
    std::vector<String> FItems;
    int FUpdateCount = 0;
};

// Runtime library thread on pthreads with a 6 MB stack.
// OnTerminate runs on the user-interface thread after Execute has returned (queued through the
// main-thread call queue, see rtl/MainThread.h). Its value is taken when Execute returns, so a
// handler set after WaitFor never runs; nor does a queued handler of a thread object that has
// been destroyed. Terminate only records the request. An exception escaping Execute is caught,
// written to the debug output and kept in FatalException.
class TThread : public TObject {
public:
    static constexpr std::size_t StackSize = 6u * 1024u * 1024u;

    // CreateSuspended false starts the worker from this constructor, before a derived class's
    // members exist; create suspended and call Resume when Execute uses them.
    explicit TThread(bool CreateSuspended);
    // A started thread: requests termination, then waits for its end. A derived class whose
    // Execute uses its own members must wait in its own destructor (they are gone by now).
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Resume();  // starts a suspended thread; a second call does nothing
    void Start() { Resume(); }
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    bool Suspended() const { return !FStarted; }
    // Waits for Execute to end and returns ReturnValue. On the user-interface thread it keeps
    // running queued main-thread calls meanwhile, so a worker that synchronises cannot deadlock.
    // Raises EThread for a thread that was never started or when a thread waits for itself.
    int WaitFor();
    std::uint64_t ThreadID() const;
    // What escaped Execute (null when it returned normally); valid once Finished.
    std::exception_ptr FatalException() const;

    TSharedNotifyEvent OnTerminate;
    std::atomic<bool> FreeOnTerminate{false};  // never set by this program; honoured when set

protected:
    virtual void Execute() = 0;
    // Runs f on the user-interface thread and waits for it (runs at once when called there).
    static void Synchronize(const std::function<void()>& f);
    // Runs f on the user-interface thread later, without waiting.
    static void Queue(std::function<void()> f);
    int ReturnValue = 0;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FStarted{false};
    friend struct ThreadRunner;
};
