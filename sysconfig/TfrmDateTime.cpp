#include "sysconfig/TfrmDateTime.h"

#include "forms/info_forms.h"
#include "sysconfig/personal_text.h"

#include <windows.h>

#include <string>

namespace brimlow {
namespace {

double UpTimeSeconds() { return static_cast<std::uint32_t>(GetTickCount()) / 1000.0; }

std::string LongTime(const SYSTEMTIME& time) {
    char text[80] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, sizeof text) == 0) return {};
    return text;
}

std::string ShortDate(const SYSTEMTIME& time) {
    char text[80] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text) == 0) return {};
    return text;
}

std::string Narrow(const WCHAR (&wide)[32]) {
    char text[3 * 32 + 1] = {};
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text - 1, nullptr, nullptr);
    return length > 0 ? std::string(text) : std::string();
}

std::string Transition(const SYSTEMTIME& date) {
    return ZoneTransitionText(date.wMonth, date.wDay, date.wHour, date.wMinute);
}

}  // namespace

TfrmDateTime::TfrmDateTime() : ui::Form(forms::DateTimeFormLayout()) {}

void TfrmDateTime::FormCreate() { OnTimer("Timer1", [this] { Timer1Timer(); }); }

void TfrmDateTime::Timer1Timer() {
    SetText("Edit16", UpTimeText(UpTimeSeconds()));
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SetText("Info1", LongTime(now));
}

void TfrmDateTime::FormShow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    // The time of day the system started: now minus the up time, wrapped into one day.
    const long long dayMs = 86400000LL;
    const long long nowMs = ((now.wHour * 60LL + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds;
    long long bootMs = (nowMs - static_cast<long long>(static_cast<std::uint32_t>(GetTickCount()))) % dayMs;
    if (bootMs < 0) bootMs += dayMs;
    SYSTEMTIME boot = now;
    boot.wHour = static_cast<WORD>(bootMs / 3600000);
    boot.wMinute = static_cast<WORD>(bootMs / 60000 % 60);
    boot.wSecond = static_cast<WORD>(bootMs / 1000 % 60);
    boot.wMilliseconds = static_cast<WORD>(bootMs % 1000);
    SetText("Edit18", LongTime(boot));
    SetText("Info2", ShortDate(now));

    TIME_ZONE_INFORMATION zone{};
    const DWORD result = GetTimeZoneInformation(&zone);
    SetText("Edit14", BiasText(zone.Bias));
    SetText("Edit2", Narrow(zone.StandardName));
    // A zone without daylight saving has month 0 here: no transition dates, the rest still shown.
    SetText("Edit4", Transition(zone.DaylightDate));
    SetText("Edit6", Transition(zone.StandardDate));
    SetText("Edit8", Narrow(zone.DaylightName));
    SetText("Edit10", BiasText(zone.DaylightBias));
    const std::string status = DaylightStatusText(result);
    if (!status.empty()) SetText("Edit12", status);
}

}  // namespace brimlow
