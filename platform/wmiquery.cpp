#include "platform/wmiquery.h"

#include "platform/win_com.h"
#include "platform/win_handles.h"
#include "platform/win_text.h"

#include <windows.h>
#include <objbase.h>
#include <wbemidl.h>

#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace brimlow {

using win::Bstr;
using win::Check;
using win::ComPtr;
using win::Variant;

namespace {

std::string DecimalSeparator() {
    char separator[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 1) return ".";
    return separator;
}

std::wstring Wide(std::string_view text) {
    const Bstr b = Bstr::FromAnsi(text);
    return std::wstring(b.get(), ::SysStringLen(b.get()));
}

// ---- VARIANT to the value model -------------------------------------------------------------

WmiScalar ScalarOf(const VARIANT& v) {
    switch (V_VT(&v)) {
    case VT_I1: return std::int64_t{V_I1(&v)};
    case VT_I2: return std::int64_t{V_I2(&v)};
    case VT_I4: return std::int64_t{V_I4(&v)};
    case VT_INT: return std::int64_t{V_INT(&v)};
    case VT_I8: return std::int64_t{V_I8(&v)};
    case VT_UI1: return std::int64_t{V_UI1(&v)};
    case VT_UI2: return std::int64_t{V_UI2(&v)};
    case VT_UI4: return std::int64_t{V_UI4(&v)};
    case VT_UINT: return std::int64_t{V_UINT(&v)};
    case VT_UI8:
        if (V_UI8(&v) > static_cast<ULONGLONG>(std::numeric_limits<std::int64_t>::max()))
            return std::to_string(V_UI8(&v));
        return static_cast<std::int64_t>(V_UI8(&v));
    case VT_R4: return double{V_R4(&v)};
    case VT_R8: return V_R8(&v);
    case VT_BOOL: return V_BOOL(&v) != VARIANT_FALSE;
    case VT_BSTR: {
        const BSTR b = V_BSTR(&v);
        return b ? win::WideToAnsi(std::wstring_view(b, ::SysStringLen(b))) : std::string();
    }
    case VT_UNKNOWN:
    case VT_DISPATCH: return WmiObject{};
    default: {
        // Nothing WMI delivers; take the system's own text of it if there is one.
        Variant text;
        if (FAILED(::VariantChangeType(text.put(), const_cast<VARIANT*>(&v), 0, VT_BSTR))) throw WmiConversionError();
        return ScalarOf(*text);
    }
    }
}

// Element types that fit the union part of a VARIANT and that ScalarOf reads.
bool IsPlainElementType(VARTYPE type) {
    switch (type) {
    case VT_I1: case VT_I2: case VT_I4: case VT_INT: case VT_I8:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UINT: case VT_UI8:
    case VT_R4: case VT_R8: case VT_BOOL: case VT_BSTR: case VT_UNKNOWN: case VT_DISPATCH:
        return true;
    default:
        return false;
    }
}

WmiValue ValueOf(const VARIANT& v) {
    const VARTYPE type = V_VT(&v);
    // An empty value or an error code carries no data.
    if (type == VT_EMPTY || type == VT_NULL || type == VT_ERROR) return WmiValue::Null();
    if (!(type & VT_ARRAY)) {
        if (type & VT_BYREF) throw WmiConversionError();
        return ScalarOf(v);
    }
    SAFEARRAY* array = (type & VT_BYREF) ? *V_ARRAYREF(&v) : V_ARRAY(&v);
    if (!array) return WmiValue::Null();
    if (::SafeArrayGetDim(array) != 1) throw WmiConversionError();
    LONG low = 0, high = -1;
    Check(::SafeArrayGetLBound(array, 1, &low));
    Check(::SafeArrayGetUBound(array, 1, &high));
    const VARTYPE elementType = type & VT_TYPEMASK;
    std::vector<WmiScalar> elements;
    for (LONG i = low; i <= high; ++i) {
        Variant element;
        if (elementType == VT_VARIANT) {
            Check(::SafeArrayGetElement(array, &i, element.put()));
            if (V_VT(element.get()) & VT_ARRAY) throw WmiConversionError();
            const WmiValue inner = ValueOf(*element);
            // A null inside an array reads as an empty string, as a null string element does.
            elements.push_back(inner.IsNull() ? WmiScalar(std::string()) : inner.scalar());
        } else {
            if (!IsPlainElementType(elementType)) throw WmiConversionError();
            // Every member of the VARIANT union starts at the same place.
            Check(::SafeArrayGetElement(array, &i, &V_I4(element.put())));
            V_VT(element.get()) = elementType;
            elements.push_back(ScalarOf(*element));
        }
    }
    return WmiValue(std::move(elements));
}

// ---- Connection through IWbemLocator ----------------------------------------------------------

// Credentials for the proxies of a connection made with a user name.
class ProxyIdentity {
public:
    ProxyIdentity(const std::string& user, const std::string& password) {
        const std::string::size_type slash = user.find('\\');
        domain_ = slash == std::string::npos ? std::wstring() : Wide(user.substr(0, slash));
        user_ = Wide(slash == std::string::npos ? user : user.substr(slash + 1));
        password_ = Wide(password);
        identity_.User = reinterpret_cast<USHORT*>(user_.data());
        identity_.UserLength = static_cast<ULONG>(user_.size());
        identity_.Domain = reinterpret_cast<USHORT*>(domain_.data());
        identity_.DomainLength = static_cast<ULONG>(domain_.size());
        identity_.Password = reinterpret_cast<USHORT*>(password_.data());
        identity_.PasswordLength = static_cast<ULONG>(password_.size());
        identity_.Flags = SEC_WINNT_AUTH_IDENTITY_UNICODE;
    }
    ~ProxyIdentity() { ::SecureZeroMemory(password_.data(), password_.size() * sizeof(wchar_t)); }
    ProxyIdentity(const ProxyIdentity&) = delete;
    ProxyIdentity& operator=(const ProxyIdentity&) = delete;
    COAUTHIDENTITY* get() { return &identity_; }

private:
    std::wstring user_, domain_, password_;
    COAUTHIDENTITY identity_{};
};

// Calls on a connection must impersonate the caller (or the given user), which a process that
// did not set up COM security does not do by default. Objects living in this process have no
// proxy to set, which is fine.
void AllowImpersonation(IUnknown* proxy, ProxyIdentity* identity) {
    ::CoSetProxyBlanket(proxy, RPC_C_AUTHN_DEFAULT, RPC_C_AUTHZ_DEFAULT, COLE_DEFAULT_PRINCIPAL,
                        RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                        identity ? identity->get() : COLE_DEFAULT_AUTHINFO, EOAC_NONE);
}

struct Connection {
    // The proxies point at the identity: it goes last.
    std::unique_ptr<ProxyIdentity> identity;
    ComPtr<IWbemLocator> locator;
    ComPtr<IWbemServices> services;

    ProxyIdentity* proxyIdentity() const { return identity.get(); }
};

Connection Connect(const std::string& server, const std::string& nameSpace, const std::string& user,
                   const std::string& password) {
    Connection c;
    Check(::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                             c.locator.put_void()));
    const std::string path = "\\\\" + (server.empty() ? std::string(".") : server) + "\\" + nameSpace;
    // Empty texts mean "the caller's own" only when they are passed as no string at all.
    const Bstr resource = Bstr::FromAnsi(path);
    const Bstr userName = user.empty() ? Bstr() : Bstr::FromAnsi(user);
    const Bstr secret = password.empty() ? Bstr() : Bstr::FromAnsi(password);
    Check(c.locator->ConnectServer(resource.get(), userName.get(), secret.get(), nullptr, 0, nullptr, nullptr,
                                   c.services.put()));
    if (!user.empty()) c.identity = std::make_unique<ProxyIdentity>(user, password);
    AllowImpersonation(c.services.get(), c.proxyIdentity());
    return c;
}

// Every instance of a result; a failure inside the enumeration (an invalid class reported late)
// throws.
std::vector<ComPtr<IWbemClassObject>> AllInstances(IEnumWbemClassObject* results) {
    std::vector<ComPtr<IWbemClassObject>> instances;
    for (;;) {
        ComPtr<IWbemClassObject> instance;
        ULONG returned = 0;
        const HRESULT hr = results->Next(static_cast<LONG>(WBEM_INFINITE), 1, instance.put(), &returned);
        Check(hr);
        if (hr != S_OK || returned == 0) break;
        instances.push_back(std::move(instance));
    }
    return instances;
}

// The instance's own properties (no system properties) in the order WMI gives them.
std::vector<WmiProperty> PropertiesOf(IWbemClassObject* instance) {
    Check(instance->BeginEnumeration(WBEM_FLAG_NONSYSTEM_ONLY));
    struct EndEnumeration {
        IWbemClassObject* object;
        ~EndEnumeration() { object->EndEnumeration(); }
    } end{instance};
    std::vector<WmiProperty> properties;
    for (;;) {
        Bstr name;
        Variant value;
        CIMTYPE type = 0;
        const HRESULT hr = instance->Next(0, name.put(), value.put(), &type, nullptr);
        Check(hr);
        if (hr != S_OK) break;
        properties.push_back({name.Ansi(), static_cast<int>(type), ValueOf(*value)});
    }
    return properties;
}

std::string LastValue(const std::string& server, const std::string& className, const std::string& property,
                      const std::string& user, const std::string& password) {
    try {
        Connection c = Connect(server, "root\\cimv2", user, password);
        ComPtr<IEnumWbemClassObject> results;
        Check(c.services->ExecQuery(Bstr(L"WQL").get(), Bstr::FromAnsi("SELECT * FROM " + className).get(), 0,
                                    nullptr, results.put()));
        AllowImpersonation(results.get(), c.proxyIdentity());
        const std::string separator = DecimalSeparator();
        const Bstr name = Bstr::FromAnsi(property);
        std::string answer;
        for (const ComPtr<IWbemClassObject>& instance : AllInstances(results.get())) {
            Variant value;
            Check(instance->Get(name.get(), 0, value.put(), nullptr, nullptr));
            answer = WmiValueText(ValueOf(*value), separator);
        }
        return answer;
    } catch (...) {
        return {};
    }
}

// ---- Late-bound enumeration -------------------------------------------------------------------

// urlmon.dll, where the display-name parser lives, is not part of every Windows the program runs
// on: it is bound when the moniker is needed, and `urlmon` keeps it loaded while it is used.
ComPtr<IDispatch> BindMoniker(win::Library& urlmon) {
    urlmon.reset(::LoadLibraryA("urlmon.dll"));
    if (!urlmon) win::RaiseLastError();
    using ParseDisplayNameFn = HRESULT(WINAPI*)(IBindCtx*, LPCWSTR, ULONG*, IMoniker**);
    const auto parseDisplayName = reinterpret_cast<ParseDisplayNameFn>(
        reinterpret_cast<void*>(::GetProcAddress(urlmon.get(), "MkParseDisplayNameEx")));
    if (!parseDisplayName) win::RaiseLastError();

    ComPtr<IBindCtx> context;
    Check(::CreateBindCtx(0, context.put()));
    ComPtr<IMoniker> moniker;
    ULONG eaten = 0;
    Check(parseDisplayName(context.get(), L"winmgmts:\\\\.\\root\\cimv2", &eaten, moniker.put()));
    ComPtr<IUnknown> object;
    Check(moniker->BindToObject(context.get(), nullptr, IID_IUnknown, object.put_void()));
    ComPtr<IDispatch> services = win::QueryAs<IDispatch>(object.get(), IID_IDispatch);
    if (!services) throw win::ComError(E_NOINTERFACE);
    return services;
}

ComPtr<IDispatch> ConnectLocator() {
    CLSID clsid;
    Check(::CLSIDFromProgID(L"WbemScripting.SWbemLocator", &clsid));
    ComPtr<IDispatch> locator;
    Check(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                             locator.put_void()));
    const Variant server = Variant::FromAnsi(".");
    const Variant none = Variant::FromAnsi("");
    const VARIANT args[] = {*server, *none, *none, *none};
    return win::DispatchOf(win::CallMember(locator.get(), L"ConnectServer", DISPATCH_METHOD, args));
}

// Wine answers a dynamic property only when it is asked for as method and property at once;
// Windows takes that too.
constexpr WORD kPropertyRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

}  // namespace

int WmiQueryTable(const std::string& server, const std::string& nameSpace, const std::string& user,
                  const std::string& password, const std::string& query, TStringTable& table,
                  int& instanceCount) {
    int result = 0;
    instanceCount = 0;
    table.Reset();
    try {
        Connection c = Connect(server, nameSpace, user, password);
        ComPtr<IEnumWbemClassObject> results;
        if (query.starts_with("SELECT")) {
            Check(c.services->ExecQuery(Bstr(L"WQL").get(), Bstr::FromAnsi(query).get(),
                                        WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, results.put()));
        } else {
            const long flags = static_cast<long>(WBEM_FLAG_RETURN_IMMEDIATELY) | WBEM_FLAG_SHALLOW;
            Check(c.services->CreateInstanceEnum(Bstr::FromAnsi(query).get(), flags, nullptr, results.put()));
        }
        AllowImpersonation(results.get(), c.proxyIdentity());
        const std::vector<ComPtr<IWbemClassObject>> instances = AllInstances(results.get());
        instanceCount = static_cast<int>(instances.size());
        if (instances.empty()) return 0;
        WmiTableWriter writer(table, instances.size(), DecimalSeparator());
        for (const ComPtr<IWbemClassObject>& instance : instances) {
            const std::vector<WmiProperty> properties = PropertiesOf(instance.get());
            result = static_cast<int>(properties.size());
            writer.Add(properties);
        }
        return result;
    } catch (...) {
        return -1;
    }
}

std::string WmiLastValue(const std::string& server, const std::string& className, const std::string& property) {
    return LastValue(server, className, property, {}, {});
}

std::string WmiLastValue(const std::string& server, const std::string& className, const std::string& property,
                         const WmiCredentials& credentials) {
    return LastValue(server, className, property, credentials.user, credentials.password);
}

WmiValue WmiInstance::Read(std::string_view property) const {
    const std::optional<DISPID> member = win::FindMember(object_, Wide(property));
    if (!member) return WmiValue::Null();
    try {
        const Variant value = win::InvokeMember(object_, *member, kPropertyRead);
        return ValueOf(*value);
    } catch (const win::ComError& e) {
        // A missing property may also be reported by the call rather than by the name lookup.
        if (e.code() == DISP_E_MEMBERNOTFOUND || e.code() == static_cast<HRESULT>(WBEM_E_NOT_FOUND))
            return WmiValue::Null();
        throw;
    }
}

WmiValue WmiInstance::Read(std::string_view property, std::size_t index) const {
    const WmiValue value = Read(property);
    if (value.IsNull()) return value;
    if (!value.IsArray() || index >= value.elements().size()) throw std::out_of_range("Array index out of bounds.");
    return value.elements()[index];
}

std::string WmiInstance::Text(std::string_view property) const {
    return WmiValueText(Read(property), decimalSeparator_);
}

std::string WmiInstance::Text(std::string_view property, std::size_t index) const {
    return WmiValueText(Read(property, index), decimalSeparator_);
}

void WmiEnumerate(WmiBinding binding, const std::string& query, const std::function<void(const WmiInstance&)>& each) {
    win::Library urlmon;
    const ComPtr<IDispatch> services = binding == WmiBinding::Moniker ? BindMoniker(urlmon) : ConnectLocator();
    const Variant text = Variant::FromAnsi(query);
    const VARIANT args[] = {*text};
    const ComPtr<IDispatch> results =
        win::DispatchOf(win::CallMember(services.get(), L"ExecQuery", DISPATCH_METHOD, args));
    const Variant enumerator = win::InvokeMember(results.get(), DISPID_NEWENUM, kPropertyRead);
    IUnknown* unknown = enumerator.type() == VT_UNKNOWN    ? V_UNKNOWN(enumerator.get())
                        : enumerator.type() == VT_DISPATCH ? V_DISPATCH(enumerator.get())
                                                           : nullptr;
    const ComPtr<IEnumVARIANT> instances = win::QueryAs<IEnumVARIANT>(unknown, IID_IEnumVARIANT);
    if (!instances) throw win::ComError(E_NOINTERFACE);
    const std::string separator = DecimalSeparator();
    for (;;) {
        Variant item;
        ULONG fetched = 0;
        const HRESULT hr = instances->Next(1, item.put(), &fetched);
        Check(hr);
        if (hr != S_OK || fetched != 1) break;
        const ComPtr<IDispatch> object = win::DispatchOf(item);
        each(WmiInstance(object.get(), separator));
    }
}

}  // namespace brimlow
