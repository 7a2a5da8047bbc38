#pragma once
// Printing, behind IPrinter; the headless one records each job.
#include <memory>
#include <mutex>
#include <vector>

#include "rtl/SysUtils.h"

struct TPrintJob {
    String Title;
    std::vector<String> Lines;
};

class IPrinter {
public:
    virtual ~IPrinter() = default;
    virtual void Print(const TPrintJob& job) = 0;
};

class THeadlessPrinter : public IPrinter {
public:
    void Print(const TPrintJob& job) override;
    std::vector<TPrintJob> Jobs() const;

private:
    mutable std::mutex FLock;
    std::vector<TPrintJob> FJobs;
};

IPrinter& Printer();
// Prints through the installed printer on the user-interface thread (from any thread).
void PrintJob(const TPrintJob& job);
std::shared_ptr<IPrinter> SetPrinter(std::shared_ptr<IPrinter> printer);
