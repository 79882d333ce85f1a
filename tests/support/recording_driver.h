// What the recording driver module saw of one request.
#pragma once

#include <cstdint>

#include "vorn/qmdxvorn.h"

struct RecordedRequest {
    uint32_t code;
    uint32_t inSize;
    uint32_t outSize;
    vorn_request_block block;
    int priority; // the caller's thread priority while the request ran
    int calls;
};
