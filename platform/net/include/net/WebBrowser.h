#pragma once
// Embedded web-browser component: loads one page at a time over HTTP(S) on a worker thread and
// offers the loaded page as a document object. Properties can be read by name or through their
// dispatch identifiers. Every reader is safe from any thread.
#include <memory>
#include <variant>

#include "rtl/Intf.h"
#include "rtl/SysUtils.h"

// Dispatch identifiers of the browser's automation properties.
constexpr int DISPID_DOCUMENT = 203;
constexpr int DISPID_LOCATIONURL = 211;
constexpr int DISPID_BUSY = 212;
constexpr int DISPID_VISIBLE = 402;

// Unknown dispatch identifier, read-only property written, or a value of the wrong kind.
class EOleError : public Exception {
public:
    using Exception::Exception;
};

// A property value read through a dispatch identifier: empty, a boolean, a text or an interface.
class TDispVariant {
public:
    TDispVariant() = default;
    TDispVariant(bool b) : FValue(b) {}
    TDispVariant(const String& s) : FValue(s) {}
    TDispVariant(const char* s) : FValue(String(s)) {}
    TDispVariant(TIntfPtr<IInterface> p) : FValue(std::move(p)) {}

    bool IsEmpty() const { return FValue.index() == 0; }
    bool IsBool() const { return std::holds_alternative<bool>(FValue); }
    bool IsString() const { return std::holds_alternative<String>(FValue); }
    bool IsInterface() const { return std::holds_alternative<TIntfPtr<IInterface>>(FValue); }
    // Each raises EOleError when the value is of another kind.
    bool AsBool() const;
    String AsString() const;
    TIntfPtr<IInterface> AsInterface() const;  // may be null (no document)

private:
    std::variant<std::monostate, bool, String, TIntfPtr<IInterface>> FValue;
};

// The HTML document of a loaded page.
class IHTMLDocument2 : public virtual IInterface {
public:
    RTL_IID("{332C4425-26CB-11D0-B483-00C04FD90119}");
    virtual String URL() = 0;  // where the page came from, after redirects
    virtual String Html() = 0;  // the page's bytes as received (its markup)
};

// Saving an object to a file.
class IPersistFile : public virtual IInterface {
public:
    RTL_IID("{0000010B-0000-0000-C000-000000000046}");
    // Replaces fileName atomically and returns S_OK. A failed write raises EInOutError (or
    // EFOpenError) and leaves an existing file whole, so an old copy is never taken for the page.
    // remember is accepted for callers written against the usual signature; it changes nothing.
    virtual HRESULT Save(const String& fileName, bool remember) = 0;
};

class TCppWebBrowser : public TObject {
public:
    TCppWebBrowser();
    ~TCppWebBrowser() override;  // abandons a running load and waits for its thread
    TCppWebBrowser(const TCppWebBrowser&) = delete;
    TCppWebBrowser& operator=(const TCppWebBrowser&) = delete;

    // Limits for the next Navigate, in milliseconds.
    int ConnectTimeout = 10000;
    int Timeout = 30000;  // whole load, redirects included
    // A page above this many bytes is not loaded: far above any page this program loads, it
    // stops a response that never ends.
    std::size_t MaxPageBytes = std::size_t(64) * 1024 * 1024;

    // Starts loading url (http or https; redirects are followed) and returns at once; Busy is
    // true from here until the load has ended. A load still running is abandoned first. The
    // previous document is dropped and LocationURL reads "about:blank" until the new page has
    // loaded. A load that fails (no connection, time-out, HTTP status 400 or more, another
    // scheme) leaves no document. "about:blank" itself loads nothing.
    void Navigate(const String& url);

    bool Busy() const;
    // The loaded page (answers IHTMLDocument2 and IPersistFile), or null.
    TIntfPtr<IInterface> Document() const;
    String LocationURL() const;
    bool Visible() const;
    void SetVisible(bool visible);
    // Why the last load failed ("" after a success or while loading).
    String LastError() const;
    // Whether the last load failed because the page was larger than MaxPageBytes.
    bool LastLoadTooLarge() const;

    // DISPID_BUSY (bool), DISPID_DOCUMENT (interface, null without a page), DISPID_LOCATIONURL
    // (text), DISPID_VISIBLE (bool); another identifier raises EOleError.
    TDispVariant GetProperty(int dispid) const;
    // Only DISPID_VISIBLE can be written; EOleError otherwise.
    void SetProperty(int dispid, const TDispVariant& value);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
