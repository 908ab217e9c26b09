// The one way the program reaches WMI. Every call connects afresh and releases everything before
// it returns; nothing is kept between calls. COM must be initialised on the calling thread.
//
// The table and last-value reads go through IWbemLocator / IWbemServices / IWbemClassObject:
// that route gives each property's name, CIM type and value on every system the program runs on.
// The enumeration is late-bound through the scripting objects, as its callers read properties by
// name.
#pragma once

#include "platform/wmi_value.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

struct IDispatch;

namespace brimlow {

// Runs `query` and fills `table`: header row, then one row per instance (see TStringTable).
// `query` is a WQL statement when it begins with "SELECT" (exactly so), else a class name whose
// own instances are listed. An empty server or "." is the local computer; an empty user and
// password connect as the caller.
// Returns the property count of the last instance read, 0 when there are no instances, -1 when
// anything failed; the table and `instanceCount` keep what was filled before a failure.
// Never throws.
int WmiQueryTable(const std::string& server, const std::string& nameSpace, const std::string& user,
                  const std::string& password, const std::string& query, TStringTable& table,
                  int& instanceCount);

struct WmiCredentials {
    std::string user;
    std::string password;
};

// The named property of the last instance of `className` in root\cimv2, as text: the empty text
// when it is null, when there is no instance, or when anything fails. Never throws.
std::string WmiLastValue(const std::string& server, const std::string& className, const std::string& property);
// The same, connecting with the given user name and password.
std::string WmiLastValue(const std::string& server, const std::string& className, const std::string& property,
                         const WmiCredentials& credentials);

enum class WmiBinding {
    Moniker,  // winmgmts:\\.\root\cimv2
    Locator,  // WbemScripting.SWbemLocator, ConnectServer(".", "", "", "")
};

// One instance of a running enumeration, valid during the callback only.
class WmiInstance {
public:
    WmiInstance(IDispatch* object, std::string decimalSeparator)
        : object_(object), decimalSeparator_(std::move(decimalSeparator)) {}

    // The property's value; null when it has none, and also when the instance does not carry a
    // property of that name (providers differ in which properties they fill).
    WmiValue Read(std::string_view property) const;
    // Element `index` of an array property; null when the property is null or missing. Throws
    // std::out_of_range when the value is not an array or has no such element.
    WmiValue Read(std::string_view property, std::size_t index) const;

    // The ordinary text of the same reads: the empty text for null. Throws WmiConversionError for
    // an array or an embedded object.
    std::string Text(std::string_view property) const;
    std::string Text(std::string_view property, std::size_t index) const;

private:
    IDispatch* object_;
    std::string decimalSeparator_;
};

// Runs `query` and calls `each` for every instance in the order WMI delivers them. Failures to
// bind, connect, run the query or read a property are not caught: they throw win::ComError with
// the platform's text, for the calling window's default error handler to show.
void WmiEnumerate(WmiBinding binding, const std::string& query, const std::function<void(const WmiInstance&)>& each);

}  // namespace brimlow
