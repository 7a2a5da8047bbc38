#include "CurlSupport.h"

#include <cstring>
#include <mutex>

namespace net_detail {

void EnsureCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::size_t CurlSinkWrite(char* data, std::size_t size, std::size_t count, void* sink)
{
    auto* s = static_cast<CurlSink*>(sink);
    const std::size_t n = size * count;
    if (s->limit && s->bytes.size() + n > s->limit) {
        s->overflow = true;
        return 0;  // makes libcurl stop with CURLE_WRITE_ERROR
    }
    s->bytes.append(data, n);
    return n;
}

String CurlErrorText(CURLcode code, const char* errorBuffer)
{
    String text = curl_easy_strerror(code);
    String detail = errorBuffer ? Trim(errorBuffer) : String();
    if (!detail.empty() && detail != text) text += " (" + detail + ")";
    return text;
}

}  // namespace net_detail
