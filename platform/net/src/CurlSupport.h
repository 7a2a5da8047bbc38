#pragma once
// What the browser and the FTP client share on top of libcurl. Internal to this library.
#include <curl/curl.h>

#include "rtl/SysUtils.h"

namespace net_detail {

// libcurl's process-wide set-up, done once before the first handle is made.
void EnsureCurl();

// Appends received bytes to a String, refusing to grow past a limit (a stray endless response
// must not eat the memory). Used as CURLOPT_WRITEFUNCTION with a CurlSink as CURLOPT_WRITEDATA.
struct CurlSink {
    String bytes;
    std::size_t limit = 0;
    bool overflow = false;
};
std::size_t CurlSinkWrite(char* data, std::size_t size, std::size_t count, void* sink);

// "curl's text (detail from the error buffer)", without the detail when it adds nothing.
String CurlErrorText(CURLcode code, const char* errorBuffer);

}  // namespace net_detail
