#include "rtl/Classes.h"

#include <pthread.h>

#include <algorithm>
#include <cstring>

#include "RtlInternal.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/MainThread.h"
#include "rtl/ScopeGuard.h"

using rtl_detail::IsBlank;

// ---------------------------------------------------------------------------------------------
// TStrings

int TStrings::Add(const String& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::IndexOf(const String& s) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this) return;
    TUpdateGuard update(*this);
    Clear();
    AddStrings(other);
}

void TStrings::AddStrings(const TStrings& other)
{
    // Copy first: other may be this list.
    std::vector<String> lines;
    for (int i = 0, n = other.Count(); i < n; ++i) lines.push_back(other.Get(i));
    TUpdateGuard update(*this);
    for (const String& s : lines) Add(s);
}

String TStrings::GetText() const
{
    String r;
    for (int i = 0, n = Count(); i < n; ++i) r += Get(i) + "\r\n";
    return r;
}

namespace {

std::vector<String> SplitLines(const String& text)
{
    std::vector<String> lines;
    std::size_t start = 0, i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\n' || c == '\r') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// Replaces the whole content of a list in one update.
void ReplaceLines(TStrings& list, const std::vector<String>& lines)
{
    TUpdateGuard update(list);
    list.Clear();
    for (const String& s : lines) list.Add(s);
}

bool NeedsQuotes(const String& s)
{
    for (char c : s)
        if (IsBlank(c) || c == ',' || c == '"') return true;
    return false;
}

}  // namespace

void TStrings::SetText(const String& text) { ReplaceLines(*this, SplitLines(text)); }

String TStrings::GetCommaText() const
{
    int n = Count();
    if (n == 1 && Get(0).empty()) return "\"\"";
    String r;
    for (int i = 0; i < n; ++i) {
        if (i > 0) r += ',';
        String s = Get(i);
        if (!NeedsQuotes(s)) {
            r += s;
            continue;
        }
        r += '"';
        for (char c : s) {
            if (c == '"') r += '"';
            r += c;
        }
        r += '"';
    }
    return r;
}

void TStrings::SetCommaText(const String& text)
{
    std::vector<String> fields;
    std::size_t i = 0, n = text.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i])) ++i;
    };
    skipBlanks();
    while (i < n) {
        String field;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            std::size_t b = i;
            while (i < n && !IsBlank(text[i]) && text[i] != ',') ++i;
            field = text.substr(b, i - b);
        }
        fields.push_back(field);
        skipBlanks();
        if (i < n && text[i] == ',') {
            ++i;
            if (i == n) fields.emplace_back();  // a final comma: empty last element
            skipBlanks();
        }
    }
    ReplaceLines(*this, fields);
}

String TStrings::Names(int index) const
{
    String s = Get(index);
    std::size_t p = s.find('=');
    return p == String::npos ? String() : s.substr(0, p);
}

int TStrings::IndexOfName(const String& name) const
{
    for (int i = 0, n = Count(); i < n; ++i) {
        String s = Get(i);
        std::size_t p = s.find('=');
        if (p != String::npos && SameText(s.substr(0, p), name)) return i;
    }
    return -1;
}

String TStrings::GetValue(const String& name) const
{
    int i = IndexOfName(name);
    if (i < 0) return String();
    String s = Get(i);
    return s.substr(s.find('=') + 1);
}

void TStrings::SetValue(const String& name, const String& value)
{
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    if (i < 0)
        Add(name + "=" + value);
    else
        Put(i, name + "=" + value);
}

void TStrings::LoadFromFile(const String& fileName) { SetText(ReadFileBytes(fileName)); }

void TStrings::SaveToFile(const String& fileName) const
{
    String bytes;
    for (int i = 0, n = Count(); i < n; ++i) bytes += Get(i) + FLineBreak;
    AtomicWriteFile(fileName, bytes);
}

// ---------------------------------------------------------------------------------------------
// TStringList

namespace {

[[noreturn]] void IndexError(int index)
{
    throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

}  // namespace

String TStringList::Get(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
    return FItems[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const String& s)
{
    if (index < 0 || index >= Count()) IndexError(index);
    FItems[static_cast<std::size_t>(index)] = s;
    Changed();
}

void TStringList::Insert(int index, const String& s)
{
    if (index < 0 || index > Count()) IndexError(index);
    FItems.insert(FItems.begin() + index, s);
    Changed();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) IndexError(index);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TStringList::BeginUpdate() { ++FUpdateCount; }

void TStringList::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    Changed();
}

void TStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TThread

namespace {

// Lives as long as anything refers to the thread object, so a queued OnTerminate can tell whether
// the object still exists.
struct TThreadLife {
    std::atomic<bool> alive{true};
};

}  // namespace

struct TThread::Impl {
    pthread_t handle{};
    bool joined = false;
    std::mutex joinLock;
    std::shared_ptr<IClock> clock;
    std::shared_ptr<TThreadLife> life = std::make_shared<TThreadLife>();
    std::exception_ptr fatal;  // written before FFinished is set
};

struct ThreadRunner {
    static void* Run(void* arg)
    {
        TThread* t = static_cast<TThread*>(arg);
        std::shared_ptr<IClock> clock = t->d->clock;
        clock->ThreadStarted();
        try {
            t->Execute();
        } catch (const std::exception& e) {
            OutputDebugStringA(String("Exception in thread: ") + e.what());
            t->d->fatal = std::current_exception();
        } catch (...) {
            OutputDebugStringA("Exception in thread");
            t->d->fatal = std::current_exception();
        }
        // The handler is taken now: one set after the thread ended never runs.
        TNotifyEvent handler = t->OnTerminate.Get();
        bool freeIt = t->FreeOnTerminate.load();
        if (handler || freeIt) {
            std::shared_ptr<TThreadLife> life = t->d->life;
            RunInMainThread(
                [t, life, handler, freeIt] {
                    if (!life->alive.load()) return;
                    if (handler) handler(t);
                    if (freeIt && life->alive.load()) delete t;
                },
                false);
        }
        // Finished before the clock lets time move on, so a poller woken by that sees it. This is
        // the last access to t: the owner may destroy it from here on.
        t->FFinished.store(true);
        clock->ThreadEnded();
        return nullptr;
    }
};

TThread::TThread(bool CreateSuspended) : d(std::make_unique<Impl>())
{
    if (!CreateSuspended) Resume();
}

TThread::~TThread()
{
    d->life->alive.store(false);
    if (FStarted.load()) {
        Terminate();
        bool self = false;
        {
            std::lock_guard<std::mutex> lock(d->joinLock);
            self = !d->joined && pthread_equal(d->handle, pthread_self());
        }
        if (self) {
            // Freed from inside its own Execute: the thread cannot wait for itself.
            pthread_detach(d->handle);
        } else {
            WaitFor();
        }
    }
}

void TThread::Resume()
{
    if (FStarted.exchange(true)) return;
    d->clock = CurrentClock();
    d->clock->ThreadStarting();
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, StackSize);
    int rc = pthread_create(&d->handle, &attr, &ThreadRunner::Run, this);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        // Undo the announcement so virtual time is not frozen by a thread that never ran.
        d->clock->ThreadStarted();
        d->clock->ThreadEnded();
        FStarted.store(false);
        throw EThread(String("Thread creation error: ") + std::strerror(rc));
    }
}

int TThread::WaitFor()
{
    if (!FStarted.load()) throw EThread("Cannot wait for a thread that was not started");
    {
        std::lock_guard<std::mutex> lock(d->joinLock);
        if (!d->joined && pthread_equal(d->handle, pthread_self()))
            throw EThread("A thread cannot wait for itself");
    }
    if (IsMainThread()) {
        Clock().WaitUntil(
            [this] {
                // Finished is read before draining, so the OnTerminate it queued has run when
                // this returns true.
                bool finished = FFinished.load();
                CheckSynchronize();
                return finished;
            },
            -1);
    } else {
        Clock().WaitUntil([this] { return FFinished.load(); }, -1);
    }
    std::lock_guard<std::mutex> lock(d->joinLock);
    if (!d->joined) {
        pthread_join(d->handle, nullptr);
        d->joined = true;
    }
    return ReturnValue;
}

std::uint64_t TThread::ThreadID() const
{
    if (!FStarted.load()) return 0;
    return static_cast<std::uint64_t>(d->handle);
}

std::exception_ptr TThread::FatalException() const { return FFinished.load() ? d->fatal : nullptr; }

void TThread::Synchronize(const std::function<void()>& f) { RunInMainThread(f, true); }

void TThread::Queue(std::function<void()> f) { RunInMainThread(std::move(f), false); }
