// The services window's state and type texts: every code with a text, and the codes without one.
#include "sysconfig/service_text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace brimlow {
namespace {

struct Case {
    std::uint32_t code;
    const char* text;
};

TEST(ServiceText, StateOfEveryCode) {
    const Case cases[] = {
        {1, "Stopped"},          {2, "Start Pending"}, {3, "Stop Pending"}, {4, "Running"},
        {5, "Continue Pending"}, {6, ""},  // pause pending has no text of its own
        {7, "Paused"},           {0, ""},  {8, ""},      {0xFFFFFFFFu, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ServiceStateText(c.code), c.text) << "state " << c.code;
}

TEST(ServiceText, TypeComparedAsAWhole) {
    const Case cases[] = {
        {0x01, "Kernal"},
        {0x02, "System"},
        {0x10, "Win32 Own Process"},
        {0x20, "Win32 Share process"},
        {0x110, ""},  // an own-process service that may interact with the desktop
        {0x120, ""},
        {0x30, ""},   // both Win32 bits, as the enumeration asks, is no single type
        {0x04, ""},   // adapter
        {0x08, ""},   // recognizer driver
        {0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ServiceTypeText(c.code), c.text) << "type 0x" << std::hex << c.code;
}

}  // namespace
}  // namespace brimlow
