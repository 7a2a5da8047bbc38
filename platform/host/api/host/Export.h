#pragma once
// What libhost.so publishes: the host's own code is built with hidden visibility, and every
// declaration of an api header carries HOST_API.
#define HOST_API __attribute__((visibility("default")))
