#include "net/WebBrowser.h"

#include <atomic>

#include "CurlSupport.h"
#include "rtl/Classes.h"
#include "rtl/Files.h"

using namespace net_detail;

namespace {

const String BlankPage = "about:blank";

// A loaded page. Immutable, so any thread may read it while the browser loads the next one.
class THTMLDocument : public TInterfacedObject, public IHTMLDocument2, public IPersistFile {
public:
    THTMLDocument(String url, String bytes) : FURL(std::move(url)), FBytes(std::move(bytes)) {}

    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IHTMLDocument2>(this, iid, obj) || QueryAs<IPersistFile>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String URL() override { return FURL; }
    String Html() override { return FBytes; }
    HRESULT Save(const String& fileName, bool) override
    {
        AtomicWriteFile(fileName, FBytes);
        return S_OK;
    }

private:
    const String FURL;
    const String FBytes;
};

}  // namespace

bool TDispVariant::AsBool() const
{
    if (!IsBool()) throw EOleError("Variant is not a boolean.");
    return std::get<bool>(FValue);
}

String TDispVariant::AsString() const
{
    if (!IsString()) throw EOleError("Variant is not a text.");
    return std::get<String>(FValue);
}

TIntfPtr<IInterface> TDispVariant::AsInterface() const
{
    if (!IsInterface()) throw EOleError("Variant is not an interface.");
    return std::get<TIntfPtr<IInterface>>(FValue);
}

struct TCppWebBrowser::Impl {
    class TLoadThread;

    mutable std::mutex lock;  // guards the fields below
    unsigned generation = 0;  // which load may publish its result
    bool busy = false;
    bool visible = true;
    TIntfPtr<IInterface> document;
    String location = BlankPage;
    String lastError;
    bool tooLarge = false;

    std::mutex navigateLock;  // one Navigate (or the destructor) at a time
    std::unique_ptr<TLoadThread> loader;

    void Publish(unsigned gen, TIntfPtr<IInterface> doc, String url, String error, bool large)
    {
        std::lock_guard<std::mutex> g(lock);
        if (gen != generation) return;  // abandoned meanwhile
        document = std::move(doc);
        if (document) location = std::move(url);
        lastError = std::move(error);
        tooLarge = large;
        busy = false;
    }

    void AbandonLoader();
};

class TCppWebBrowser::Impl::TLoadThread : public TThread {
public:
    TLoadThread(TCppWebBrowser::Impl* owner, unsigned gen, String url, int connectTimeout, int timeout,
                std::size_t maxBytes)
        : TThread(true), FOwner(owner), FGen(gen), FURL(std::move(url)), FConnectTimeout(connectTimeout),
          FTimeout(timeout), FMaxBytes(maxBytes)
    {
    }

    std::atomic<bool> Abandoned{false};

protected:
    void Execute() override
    {
        String url, error;
        TIntfPtr<IInterface> doc;
        try {
            Load(doc, url, error);
        } catch (const std::exception& e) {
            error = e.what();
        }
        FOwner->Publish(FGen, std::move(doc), std::move(url), std::move(error), FTooLarge);
    }

private:
    static int Progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<TLoadThread*>(self)->Abandoned ? 1 : 0;  // non-zero aborts
    }

    void Load(TIntfPtr<IInterface>& doc, String& url, String& error)
    {
        EnsureCurl();
        CURL* c = curl_easy_init();
        if (!c) {
            error = "the network library could not be set up";
            return;
        }
        char errorBuffer[CURL_ERROR_SIZE] = {};
        CurlSink sink;
        sink.limit = FMaxBytes;
        curl_easy_setopt(c, CURLOPT_URL, FURL.c_str());
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(FConnectTimeout));
        curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(FTimeout));
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");  // compressed pages arrive decoded
        curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, CurlSinkWrite);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, Progress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
        const CURLcode rc = curl_easy_perform(c);
        long status = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
        char* effective = nullptr;
        curl_easy_getinfo(c, CURLINFO_EFFECTIVE_URL, &effective);
        const String finalUrl = effective ? effective : FURL;
        FTooLarge = rc != CURLE_OK && sink.overflow;
        if (rc != CURLE_OK)
            error = FTooLarge ? "page larger than " + IntToStr(static_cast<long long>(FMaxBytes)) + " bytes"
                              : CurlErrorText(rc, errorBuffer);
        curl_easy_cleanup(c);
        if (!error.empty()) {
            error = "loading " + FURL + " failed: " + error;
            return;
        }
        if (status >= 400) {
            error = "loading " + finalUrl + " failed: HTTP status " + IntToStr(status);
            return;
        }
        url = finalUrl;
        doc =
            TIntfPtr<IInterface>(static_cast<IHTMLDocument2*>(new THTMLDocument(url, std::move(sink.bytes))));
    }

    TCppWebBrowser::Impl* FOwner;
    const unsigned FGen;
    const String FURL;
    const int FConnectTimeout;
    const int FTimeout;
    const std::size_t FMaxBytes;
    bool FTooLarge = false;
};

void TCppWebBrowser::Impl::AbandonLoader()
{
    if (!loader) return;
    loader->Abandoned = true;
    loader->WaitFor();
    loader.reset();
}

TCppWebBrowser::TCppWebBrowser() : d(std::make_unique<Impl>()) {}

TCppWebBrowser::~TCppWebBrowser()
{
    std::lock_guard<std::mutex> n(d->navigateLock);
    {
        std::lock_guard<std::mutex> g(d->lock);
        ++d->generation;
    }
    d->AbandonLoader();
}

void TCppWebBrowser::Navigate(const String& url)
{
    std::lock_guard<std::mutex> n(d->navigateLock);
    const bool blank = SameText(Trim(url), BlankPage);
    unsigned gen;
    {
        std::lock_guard<std::mutex> g(d->lock);
        gen = ++d->generation;
        d->busy = !blank;
        d->document.reset();
        d->location = BlankPage;
        d->lastError.clear();
        d->tooLarge = false;
    }
    d->AbandonLoader();
    if (blank) return;
    d->loader = std::make_unique<Impl::TLoadThread>(d.get(), gen, url, ConnectTimeout, Timeout, MaxPageBytes);
    d->loader->Start();
}

bool TCppWebBrowser::Busy() const
{
    std::lock_guard<std::mutex> g(d->lock);
    return d->busy;
}

TIntfPtr<IInterface> TCppWebBrowser::Document() const
{
    std::lock_guard<std::mutex> g(d->lock);
    return d->document;
}

String TCppWebBrowser::LocationURL() const
{
    std::lock_guard<std::mutex> g(d->lock);
    return d->location;
}

bool TCppWebBrowser::Visible() const
{
    std::lock_guard<std::mutex> g(d->lock);
    return d->visible;
}

void TCppWebBrowser::SetVisible(bool visible)
{
    std::lock_guard<std::mutex> g(d->lock);
    d->visible = visible;
}

String TCppWebBrowser::LastError() const
{
    std::lock_guard<std::mutex> g(d->lock);
    return d->lastError;
}

bool TCppWebBrowser::LastLoadTooLarge() const
{
    std::lock_guard<std::mutex> g(d->lock);
    return d->tooLarge;
}

TDispVariant TCppWebBrowser::GetProperty(int dispid) const
{
    switch (dispid) {
    case DISPID_BUSY: return TDispVariant(Busy());
    case DISPID_DOCUMENT: return TDispVariant(Document());
    case DISPID_LOCATIONURL: return TDispVariant(LocationURL());
    case DISPID_VISIBLE: return TDispVariant(Visible());
    default: throw EOleError("Unknown dispatch identifier " + IntToStr(dispid) + ".");
    }
}

void TCppWebBrowser::SetProperty(int dispid, const TDispVariant& value)
{
    if (dispid != DISPID_VISIBLE)
        throw EOleError("Dispatch identifier " + IntToStr(dispid) + " cannot be written.");
    SetVisible(value.AsBool());
}
