#pragma once
// The clipboard, behind IClipboard; the headless one keeps the text in memory.
#include <memory>
#include <mutex>

#include "rtl/SysUtils.h"

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // False when the clipboard cannot be read (held by another program, no text).
    virtual bool GetText(String& text) = 0;
    virtual bool SetText(const String& text) = 0;
};

class THeadlessClipboard : public IClipboard {
public:
    bool GetText(String& text) override;
    bool SetText(const String& text) override;
    // Makes every access fail (as a clipboard held by another program does).
    void SetFailing(bool failing);

private:
    std::mutex FLock;
    String FText;
    bool FHasText = false;
    bool FFailing = false;
};

IClipboard& ClipboardService();
std::shared_ptr<IClipboard> SetClipboardService(std::shared_ptr<IClipboard> clipboard);

// The library's clipboard object: a failed read counts as empty.
class TClipboard {
public:
    String AsText();
    void SetAsText(const String& text);
    bool HasText();
};
TClipboard* Clipboard();
