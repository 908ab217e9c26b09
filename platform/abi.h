// Pins a structure's size for both builds. The sizes Windows documents for its structures are a
// 32-bit process's; the x86_64 build has its own, usually larger where pointers or handles sit
// inside. Code always fills size fields from sizeof, and this keeps both numbers honest.
#pragma once

#define BRIMLOW_PIN_SIZE(type, i686, x86_64) \
    static_assert(sizeof(type) == (sizeof(void*) == 4 ? (i686) : (x86_64)), "size of " #type " in this build")
