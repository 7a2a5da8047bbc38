#include "net/IdFTP.h"

#include "CurlSupport.h"
#include "rtl/Files.h"

using namespace net_detail;

namespace {

// Draw archives are small; this only stops a runaway transfer.
constexpr std::size_t MaxDownloadBytes = std::size_t(256) * 1024 * 1024;

String HostPort(const String& host, int port)
{
    const String h = host.find(':') != String::npos ? "[" + host + "]" : host;
    return h + ":" + IntToStr(port);
}

std::size_t Discard(char*, std::size_t size, std::size_t count, void*) { return size * count; }

}  // namespace

struct TIdFTP::Impl {
    CURL* curl = nullptr;
    String host;
    int port = 21;
    String username;
    String password;
    int connectTimeout = 0;
    int readTimeout = 0;
    char error[CURL_ERROR_SIZE] = {};

    String Where() const { return HostPort(host, port); }
    String BaseUrl() const { return "ftp://" + Where() + "/"; }

    void Close()
    {
        if (curl) curl_easy_cleanup(curl);  // sends QUIT on a live connection
        curl = nullptr;
    }

    // One request on the kept handle; libcurl reuses the logged-in control connection.
    CURLcode Perform(const String& url, CurlSink* sink, bool passive, bool ascii)
    {
        error[0] = '\0';
        curl_easy_reset(curl);
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(curl, CURLOPT_USERNAME, username.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(connectTimeout));
        curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, long(connectTimeout));
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long((readTimeout + 999) / 1000));
        // A data connection that delivers nothing for ReadTimeout counts as broken.
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long((readTimeout + 999) / 1000));
        curl_easy_setopt(curl, CURLOPT_FTPPORT, passive ? nullptr : "-");
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, ascii ? 1L : 0L);
        if (sink) {
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, CurlSinkWrite);
            curl_easy_setopt(curl, CURLOPT_WRITEDATA, sink);
        } else {
            curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);  // log in (and ask a file's size) and stop
            // libcurl hands the size over as a header line; nobody reads it.
            curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
            curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, Discard);
        }
        return curl_easy_perform(curl);
    }

    // The URL of a file: each folder and the name escaped on their own, so "/" keeps separating
    // folders.
    String FileUrl(const String& file) const
    {
        String path;
        std::size_t start = 0;
        while (true) {
            const std::size_t slash = file.find('/', start);
            const String part = file.substr(start, slash == String::npos ? String::npos : slash - start);
            char* escaped = curl_easy_escape(curl, part.c_str(), int(part.size()));
            path += escaped ? escaped : "";
            curl_free(escaped);
            if (slash == String::npos) break;
            path += "/";
            start = slash + 1;
        }
        return BaseUrl() + path;
    }

    long ReplyCode() const
    {
        long code = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        return code;
    }
};

TIdFTP::TIdFTP() : d(std::make_unique<Impl>()) {}

TIdFTP::~TIdFTP() { d->Close(); }

bool TIdFTP::Connected() const { return d->curl != nullptr; }

void TIdFTP::Connect()
{
    Disconnect();
    if (Trim(Host).empty()) throw EIdSocketError("FTP: no host set.");
    if (Port <= 0 || Port > 65535) throw EIdSocketError("FTP: invalid port " + IntToStr(Port) + ".");
    EnsureCurl();
    d->host = Trim(Host);
    d->port = Port;
    d->username = Username;
    d->password = Password;
    d->connectTimeout = ConnectTimeout;
    d->readTimeout = ReadTimeout;
    d->curl = curl_easy_init();
    if (!d->curl) throw EIdException("FTP: the network library could not be set up.");

    const CURLcode rc = d->Perform(d->BaseUrl(), nullptr, Passive, false);
    if (rc == CURLE_OK) return;
    const long reply = d->ReplyCode();
    const String why = CurlErrorText(rc, d->error);
    const String where = d->Where();
    d->Close();
    if (rc == CURLE_LOGIN_DENIED)
        throw EIdReplyRFCError("FTP login as \"" + Username + "\" on " + where + " refused: " + why,
                               reply ? int(reply) : 530);
    if (reply >= 400)
        throw EIdReplyRFCError("FTP server " + where + " refused the connection: " + why, int(reply));
    throw EIdSocketError("FTP connection to " + where + " failed: " + why);
}

void TIdFTP::Get(const String& ASourceFile, const String& ADestFile, bool ACanOverwrite, bool AResume)
{
    if (!Connected()) throw EIdNotConnected("FTP: not connected (Get \"" + ASourceFile + "\").");
    if (!ACanOverwrite && FileExists(ADestFile))
        throw EIdFTPFileAlreadyExists("FTP: local file \"" + ADestFile + "\" already exists.");
    String bytes;
    Get(ASourceFile, bytes, AResume);
    AtomicWriteFile(ADestFile, bytes);
}

void TIdFTP::Get(const String& ASourceFile, String& ADest, bool AResume)
{
    if (!Connected()) throw EIdNotConnected("FTP: not connected (Get \"" + ASourceFile + "\").");
    if (AResume) throw EIdException("FTP: resuming a transfer is not supported.");
    if (ASourceFile.empty()) throw EIdException("FTP: no remote file name given.");

    CurlSink sink;
    sink.limit = MaxDownloadBytes;
    const CURLcode rc = d->Perform(d->FileUrl(ASourceFile), &sink, Passive, TransferType == ftASCII);
    if (rc != CURLE_OK) {
        const long reply = d->ReplyCode();
        const String what = "FTP download of \"" + ASourceFile + "\" from " + d->Where() + " failed: ";
        if (sink.overflow)
            throw EIdException(what + "the file is larger than " + IntToStr(MaxDownloadBytes) + " bytes.");
        if (rc == CURLE_REMOTE_FILE_NOT_FOUND || rc == CURLE_REMOTE_ACCESS_DENIED || reply >= 400)
            throw EIdReplyRFCError(what + CurlErrorText(rc, d->error), reply ? int(reply) : 550);
        // The connection is gone or unusable: report it as closed.
        const String why = CurlErrorText(rc, d->error);
        d->Close();
        throw EIdSocketError(what + why);
    }
    ADest = std::move(sink.bytes);
}

std::int64_t TIdFTP::Size(const String& AFileName)
{
    if (!Connected()) throw EIdNotConnected("FTP: not connected (Size \"" + AFileName + "\").");
    if (AFileName.empty()) throw EIdException("FTP: no remote file name given.");
    // Asked in binary type: servers refuse or miscount the size of an ASCII transfer.
    const CURLcode rc = d->Perform(d->FileUrl(AFileName), nullptr, Passive, false);
    if (rc == CURLE_OK) {
        curl_off_t size = -1;
        if (curl_easy_getinfo(d->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size) != CURLE_OK) return -1;
        return size < 0 ? -1 : static_cast<std::int64_t>(size);
    }
    const long reply = d->ReplyCode();
    if (rc == CURLE_REMOTE_FILE_NOT_FOUND || rc == CURLE_REMOTE_ACCESS_DENIED || reply >= 400) return -1;
    const String why = CurlErrorText(rc, d->error);
    d->Close();
    throw EIdSocketError("FTP size of \"" + AFileName + "\" from " + d->Where() + " failed: " + why);
}

void TIdFTP::Disconnect() { d->Close(); }
