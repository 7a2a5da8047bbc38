#pragma once
// Helpers shared by the zub tests.
#include <vector>

#include "zub/Notices.h"

// Records every notice the message loop delivers while it lives.
class TNoticeLog {
public:
    TNoticeLog()
    {
        FPrevious = Notices().SetObserver([this](const TNotice& n) { FNotices.push_back(n); });
    }
    ~TNoticeLog() { Notices().SetObserver(FPrevious); }
    TNoticeLog(const TNoticeLog&) = delete;
    TNoticeLog& operator=(const TNoticeLog&) = delete;

    const std::vector<TNotice>& All() const { return FNotices; }
    std::vector<TNotice> For(const TComponent* c) const
    {
        std::vector<TNotice> r;
        for (const TNotice& n : FNotices)
            if (n.Sender == c) r.push_back(n);
        return r;
    }
    void Clear() { FNotices.clear(); }

private:
    std::vector<TNotice> FNotices;
    TNoticeObserver FPrevious;
};
