// orvane.dll as COM sees it, below what a script host shows: the entry
// points and their counts, the type library embedded in the server, the
// dual interface called through its function table, failures carried by
// the error information, a by-reference array copied by value, and the
// version resources of both binaries. The server is the one the
// per-machine registration of the test prefix names.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

// The identifiers are defined here rather than taken from the server.
#include <initguid.h>
#include "server/com/topaline3.h"

namespace {

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(WINAPI*)();

template <class Fn>
Fn Export(HMODULE module, const char* name) {
  FARPROC p = GetProcAddress(module, name);
  Fn fn = nullptr;
  static_assert(sizeof fn == sizeof p, "function pointers");
  memcpy(&fn, &p, sizeof fn);
  return fn;
}

// The server's path as the registration records it.
std::wstring ServerPath() {
  const std::wstring key = L"CLSID\\{F4DDA72C-7869-48C9-9E3F-51A743B7A257}\\InprocServer32";
  wchar_t path[MAX_PATH] = {};
  DWORD size = sizeof path;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS)
    return {};
  return path;
}

std::wstring Bstr(BSTR s) {
  std::wstring w = s ? std::wstring(s, SysStringLen(s)) : std::wstring();
  SysFreeString(s);
  return w;
}

class ComServer : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }

  Ikovar3* Create() {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(L"topaline3.kovar3", &clsid), S_OK);
    Ikovar3* o = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_Ikovar3, reinterpret_cast<void**>(&o)), S_OK);
    return o;
  }
};

// A one-dimensional array of VARIANT [lower..] holding a string and an integer.
SAFEARRAY* SmallArray(const wchar_t* text, LONG number, LONG lower = 0) {
  SAFEARRAYBOUND bound{2, lower};
  SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 1, &bound);
  VARIANT* e = nullptr;
  SafeArrayAccessData(psa, reinterpret_cast<void**>(&e));
  V_VT(&e[0]) = VT_BSTR;
  V_BSTR(&e[0]) = SysAllocString(text);
  V_VT(&e[1]) = VT_I4;
  V_I4(&e[1]) = number;
  SafeArrayUnaccessData(psa);
  return psa;
}

std::wstring FirstText(const VARIANT& v) {
  if (V_VT(&v) != (VT_ARRAY | VT_VARIANT)) return L"<not an array of VARIANT>";
  LONG lower = 0;
  SafeArrayGetLBound(V_ARRAY(&v), 1, &lower);
  VARIANT e;
  VariantInit(&e);
  SafeArrayGetElement(V_ARRAY(&v), &lower, &e);
  std::wstring text = V_VT(&e) == VT_BSTR ? std::wstring(V_BSTR(&e)) : L"<not a string>";
  VariantClear(&e);
  return text;
}

void SetFirstText(SAFEARRAY* psa, const wchar_t* text) {
  LONG lower = 0;
  SafeArrayGetLBound(psa, 1, &lower);
  VARIANT e;
  VariantInit(&e);
  V_VT(&e) = VT_BSTR;
  V_BSTR(&e) = SysAllocString(text);
  SafeArrayPutElement(psa, &lower, &e);
  VariantClear(&e);
}

struct VersionResource {
  bool found = false;
  DWORD fileMS = 0, fileLS = 0, productMS = 0, productLS = 0, fileType = 0;
  std::wstring company, product, fileVersion, productVersion, description;
};

// The binary's version resource as the shell's property page reads it:
// the fixed part and the strings of its first translation.
VersionResource ReadVersion(const std::wstring& path) {
  VersionResource v;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (!size) return v;
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return v;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) || len < sizeof *fixed) return v;
  v.found = fixed->dwSignature == VS_FFI_SIGNATURE;
  v.fileMS = fixed->dwFileVersionMS;
  v.fileLS = fixed->dwFileVersionLS;
  v.productMS = fixed->dwProductVersionMS;
  v.productLS = fixed->dwProductVersionLS;
  v.fileType = fixed->dwFileType;
  struct Translation {
    WORD language, codePage;
  }* tr = nullptr;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len) ||
      len < sizeof *tr)
    return v;
  wchar_t block[64];
  swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", tr->language, tr->codePage);
  auto text = [&](const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT n = 0;
    const std::wstring query = block + std::wstring(name);
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &n) || !value) return std::wstring();
    return std::wstring(value);
  };
  v.company = text(L"CompanyName");
  v.product = text(L"ProductName");
  v.fileVersion = text(L"FileVersion");
  v.productVersion = text(L"ProductVersion");
  v.description = text(L"FileDescription");
  return v;
}

// Both binaries carry the product's version from the build (project() in
// the top CMakeLists.txt), its name and company; the server's major.minor
// is the type library's.
TEST_F(ComServer, VersionResourcesOfBothBinaries) {
  const std::wstring expected = TOPALINE_EXPECTED_VERSION L".0";
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(swscanf(expected.c_str(), L"%u.%u.%u", &major, &minor, &patch), 3);
  const std::pair<std::wstring, DWORD> binaries[] = {{ServerPath(), VFT_DLL}, {QUENTA_EXE, VFT_APP}};
  for (const auto& [path, type] : binaries) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    const VersionResource v = ReadVersion(path);
    ASSERT_TRUE(v.found);
    EXPECT_EQ(v.fileType, type);
    EXPECT_EQ(v.fileMS, DWORD(major << 16 | minor));
    EXPECT_EQ(v.fileLS, DWORD(patch << 16));
    EXPECT_EQ(v.productMS, v.fileMS);
    EXPECT_EQ(v.productLS, v.fileLS);
    EXPECT_EQ(v.fileVersion, expected);
    EXPECT_EQ(v.productVersion, expected);
    EXPECT_EQ(v.company, L"Norvel");
    EXPECT_EQ(v.product, L"topaline3");
    EXPECT_FALSE(v.description.empty());
  }

  ITypeLib* lib = nullptr;
  ASSERT_EQ(LoadTypeLibEx(ServerPath().c_str(), REGKIND_NONE, &lib), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  const VersionResource server = ReadVersion(ServerPath());
  EXPECT_EQ(HIWORD(server.fileMS), attr->wMajorVerNum);
  EXPECT_EQ(LOWORD(server.fileMS), attr->wMinorVerNum);
  lib->ReleaseTLibAttr(attr);
  lib->Release();

  // quenta.exe's icon is in the file.
  HMODULE quenta = LoadLibraryExW(QUENTA_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(quenta);
  EXPECT_TRUE(FindResourceW(quenta, MAKEINTRESOURCEW(1), RT_GROUP_ICON));
  FreeLibrary(quenta);
}

TEST_F(ComServer, EntryPointsAndHonestUnloadCounts) {
  const std::wstring path = ServerPath();
  ASSERT_FALSE(path.empty()) << "the server is not registered";
  HMODULE module = LoadLibraryW(path.c_str());
  ASSERT_TRUE(module);
  for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer",
                           "DllInstall"})
    EXPECT_TRUE(GetProcAddress(module, name)) << name;
  auto getClass = Export<GetClassObjectFn>(module, "DllGetClassObject");
  auto canUnload = Export<CanUnloadNowFn>(module, "DllCanUnloadNow");
  ASSERT_TRUE(getClass && canUnload);

  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClass(IID_Ikovar3, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(canUnload(), S_OK);

  // Multi-instance: every creation is a new object; each one, the factory
  // and a lock keep the server loaded.
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClass(CLSID_kovar3, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(canUnload(), S_FALSE);
  IUnknown *a = nullptr, *b = nullptr, *outer = reinterpret_cast<IUnknown*>(factory);
  void* aggregated = nullptr;
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&a)), S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&b)), S_OK);
  EXPECT_NE(a, b);
  factory->Release();
  EXPECT_EQ(canUnload(), S_FALSE);
  a->Release();
  EXPECT_EQ(canUnload(), S_FALSE);
  b->Release();
  EXPECT_EQ(canUnload(), S_OK);

  ASSERT_EQ(getClass(CLSID_kovar3, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory->Release();
  EXPECT_EQ(canUnload(), S_FALSE);
  ASSERT_EQ(getClass(CLSID_kovar3, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory->Release();
  EXPECT_EQ(canUnload(), S_OK);
}

TEST_F(ComServer, TypeLibraryAsDeclared) {
  ITypeLib* lib = nullptr;
  ASSERT_EQ(LoadTypeLibEx(ServerPath().c_str(), REGKIND_NONE, &lib), S_OK);
  BSTR name = nullptr;
  ASSERT_EQ(lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(Bstr(name), L"topaline3");
  TLIBATTR* libAttr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&libAttr), S_OK);
  EXPECT_TRUE(IsEqualGUID(libAttr->guid, LIBID_topaline3));
  EXPECT_EQ(libAttr->wMajorVerNum, 1);
  EXPECT_EQ(libAttr->wMinorVerNum, 0);
  lib->ReleaseTLibAttr(libAttr);

  // The dual interface: its dispatch side, then its function table.
  ITypeInfo* dispatch = nullptr;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(IID_Ikovar3, &dispatch), S_OK);
  BSTR help = nullptr;
  ASSERT_EQ(dispatch->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(Bstr(name), L"Ikovar3");
  EXPECT_EQ(Bstr(help), L"Interface dispatch pour kovar3 Objet");
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(dispatch->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
  dispatch->ReleaseTypeAttr(attr);

  HREFTYPE vtableRef = 0;
  ITypeInfo* vtable = nullptr;
  ASSERT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef), S_OK);
  ASSERT_EQ(dispatch->GetRefTypeInfo(vtableRef, &vtable), S_OK);
  ASSERT_EQ(vtable->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL) << attr->wTypeFlags;
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION) << attr->wTypeFlags;
  ASSERT_EQ(attr->cFuncs, 10);
  vtable->ReleaseTypeAttr(attr);

  struct Member {
    const wchar_t* name;
    INVOKEKIND kind;
    MEMBERID id;
    VARTYPE type;  // of the one parameter
  };
  const Member expected[] = {
      {L"lance", INVOKE_FUNC, 201, VT_BSTR},
      {L"AXPoints", INVOKE_PROPERTYGET, 203, VT_PTR},   {L"AXPoints", INVOKE_PROPERTYPUT, 203, VT_VARIANT},
      {L"AXGroupes", INVOKE_PROPERTYGET, 204, VT_PTR},  {L"AXGroupes", INVOKE_PROPERTYPUT, 204, VT_VARIANT},
      {L"resultat", INVOKE_PROPERTYGET, 205, VT_PTR},
      {L"alldata", INVOKE_PROPERTYGET, 202, VT_PTR},    {L"alldata", INVOKE_PROPERTYPUT, 202, VT_VARIANT},
      {L"AXCalques", INVOKE_PROPERTYGET, 206, VT_PTR},  {L"AXCalques", INVOKE_PROPERTYPUT, 206, VT_VARIANT},
  };
  for (UINT i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    FUNCDESC* f = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(i, &f), S_OK);
    ASSERT_EQ(vtable->GetDocumentation(f->memid, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(Bstr(name), expected[i].name);
    EXPECT_EQ(f->invkind, expected[i].kind);
    EXPECT_EQ(f->memid, expected[i].id);
    // After the three members of IUnknown and the four of IDispatch.
    EXPECT_EQ(f->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
    EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT);
    ASSERT_EQ(f->cParams, 1);
    const TYPEDESC& param = f->lprgelemdescParam[0].tdesc;
    EXPECT_EQ(param.vt, expected[i].type);
    if (param.vt == VT_PTR) {
      const VARTYPE pointee = param.lptdesc->vt;
      if (expected[i].id == 205)
        EXPECT_TRUE(pointee == VT_INT || pointee == VT_I4) << pointee;  // a 32-bit signed integer
      else
        EXPECT_EQ(pointee, VT_VARIANT);
    }
    vtable->ReleaseFuncDesc(f);
  }
  vtable->Release();
  dispatch->Release();

  ITypeInfo* coclass = nullptr;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(CLSID_kovar3, &coclass), S_OK);
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(Bstr(name), L"kovar3");
  EXPECT_EQ(Bstr(help), L"kovar3 Objet");
  INT flags = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE ref = 0;
  ITypeInfo* implemented = nullptr;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &ref), S_OK);
  ASSERT_EQ(coclass->GetRefTypeInfo(ref, &implemented), S_OK);
  ASSERT_EQ(implemented->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, IID_Ikovar3));
  implemented->ReleaseTypeAttr(attr);
  implemented->Release();
  coclass->Release();
  lib->Release();
}

TEST_F(ComServer, FailuresThroughTheFunctionTableCarryTheirDescription) {
  Ikovar3* o = Create();
  ASSERT_TRUE(o);
  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(o->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_Ikovar3), S_OK);
  support->Release();

  BSTR bad = SysAllocString(L"douze");
  const BSTR commands[] = {bad, nullptr};  // a null BSTR is the empty string
  for (BSTR command : commands) {
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(o->lance(command), E_UNEXPECTED);
    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    ASSERT_TRUE(info);
    BSTR text = nullptr, source = nullptr;
    info->GetDescription(&text);
    info->GetSource(&source);
    info->Release();
    const std::wstring description = Bstr(text);
    EXPECT_NE(description.find(command ? L"\"douze\"" : L"\"\""), std::wstring::npos) << description;
    EXPECT_EQ(Bstr(source), L"topaline3.kovar3");
    int resultat = -1;
    EXPECT_EQ(o->get_resultat(&resultat), S_OK);
    EXPECT_EQ(resultat, 0);
  }
  SysFreeString(bad);

  BSTR none = SysAllocString(L"25");
  EXPECT_EQ(o->lance(none), S_OK);
  SysFreeString(none);
  EXPECT_EQ(o->get_AXPoints(nullptr), E_POINTER);
  EXPECT_EQ(o->get_resultat(nullptr), E_POINTER);
  o->Release();
}

// Through IDispatch every member takes exactly its own arguments, whatever
// the type library's Invoke would let through: a call with more or fewer
// is answered DISP_E_BADPARAMCOUNT and changes nothing.
TEST_F(ComServer, EveryMemberChecksItsArgumentCount) {
  Ikovar3* o = Create();
  ASSERT_TRUE(o);
  VARIANT points;
  VariantInit(&points);
  V_VT(&points) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&points) = SmallArray(L"h1", 7);
  ASSERT_EQ(o->put_AXPoints(points), S_OK);
  VariantClear(&points);

  VARIANT args[2];  // in reverse order, as IDispatch takes them
  for (VARIANT& a : args) VariantInit(&a);
  V_VT(&args[0]) = VT_BSTR;
  V_BSTR(&args[0]) = SysAllocString(L"x");
  V_VT(&args[1]) = VT_I4;
  V_I4(&args[1]) = 0;
  DISPID putId = DISPID_PROPERTYPUT;
  struct Case {
    const char* what;
    DISPID id;
    WORD flags;
    DISPPARAMS params;
  };
  const Case cases[] = {
      {"indexed put AXPoints(0) = \"x\"", 203, DISPATCH_PROPERTYPUT, {args, &putId, 2, 1}},
      {"put without a value", 203, DISPATCH_PROPERTYPUT, {nullptr, &putId, 0, 1}},
      {"lance \"x\", 0", 201, DISPATCH_METHOD, {args, nullptr, 2, 0}},
      {"lance without a command", 201, DISPATCH_METHOD, {nullptr, nullptr, 0, 0}},
      {"resultat(0)", 205, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {&args[1], nullptr, 1, 0}},
      {"AXPoints(0)", 203, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {&args[1], nullptr, 1, 0}},
  };
  for (const Case& c : cases) {
    DISPPARAMS params = c.params;
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(o->Invoke(c.id, IID_NULL, LOCALE_USER_DEFAULT, c.flags, &params, &result, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT)
        << c.what;
    VariantClear(&result);
    VARIANT got;
    VariantInit(&got);
    ASSERT_EQ(o->get_AXPoints(&got), S_OK);
    EXPECT_EQ(FirstText(got), L"h1") << c.what;
    VariantClear(&got);
  }
  for (VARIANT& a : args) VariantClear(&a);
  o->Release();
}

TEST_F(ComServer, ByReferenceArraysAreCopiedByValue) {
  Ikovar3* o = Create();
  ASSERT_TRUE(o);

  // A script engine passes its variable by reference; the server keeps the
  // values as they were at the put.
  VARIANT host;
  VariantInit(&host);
  V_VT(&host) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&host) = SmallArray(L"h1", 7);
  VARIANT byRef;
  VariantInit(&byRef);
  V_VT(&byRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&byRef) = &host;
  EXPECT_EQ(o->put_AXPoints(byRef), S_OK);

  // The same through IDispatch, as a property put of a script host.
  SAFEARRAY* groups = SmallArray(L"g1", 3, 1);  // any lower bound is stored as given
  VARIANT arrayRef;
  VariantInit(&arrayRef);
  V_VT(&arrayRef) = VT_BYREF | VT_ARRAY | VT_VARIANT;
  V_ARRAYREF(&arrayRef) = &groups;
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{&arrayRef, &putId, 1, 1};
  EXPECT_EQ(o->Invoke(204, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr),
            S_OK);

  SetFirstText(V_ARRAY(&host), L"changed after put");
  SetFirstText(groups, L"changed after put");

  VARIANT got;
  VariantInit(&got);
  ASSERT_EQ(o->get_AXPoints(&got), S_OK);
  EXPECT_EQ(FirstText(got), L"h1");
  // A get hands out a copy too.
  SetFirstText(V_ARRAY(&got), L"changed in the copy");
  VariantClear(&got);
  ASSERT_EQ(o->get_AXPoints(&got), S_OK);
  EXPECT_EQ(FirstText(got), L"h1");
  VariantClear(&got);

  ASSERT_EQ(o->get_AXGroupes(&got), S_OK);
  EXPECT_EQ(FirstText(got), L"g1");
  LONG lower = -1;
  SafeArrayGetLBound(V_ARRAY(&got), 1, &lower);
  EXPECT_EQ(lower, 1);
  VariantClear(&got);

  VariantClear(&host);
  SafeArrayDestroy(groups);
  VARIANT empty;
  VariantInit(&empty);
  EXPECT_EQ(o->put_AXPoints(empty), S_OK);
  EXPECT_EQ(o->put_AXGroupes(empty), S_OK);
  o->Release();
}

// An object that counts its references, to see who holds it.
class Counted final : public IUnknown {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  ULONG refs = 1;
};

TEST_F(ComServer, AnArrayOfEveryKindComesBackAsItWasPut) {
  Ikovar3* o = Create();
  ASSERT_TRUE(o);
  Counted object;

  // Texts of every shape (none, empty, an odd byte length, a zero inside),
  // numbers, an interface, a nested array; two dimensions, lower bounds
  // other than 0.
  SAFEARRAYBOUND bounds[2] = {{2, -1}, {4, 3}};
  SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 2, bounds);
  VARIANT* e = nullptr;
  ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void**>(&e)), S_OK);
  V_VT(&e[0]) = VT_BSTR; V_BSTR(&e[0]) = nullptr;
  V_VT(&e[1]) = VT_BSTR; V_BSTR(&e[1]) = SysAllocString(L"");
  V_VT(&e[2]) = VT_BSTR; V_BSTR(&e[2]) = SysAllocStringByteLen("abc", 3);
  V_VT(&e[3]) = VT_BSTR; V_BSTR(&e[3]) = SysAllocStringLen(L"a\0b", 3);
  V_VT(&e[4]) = VT_R8; V_R8(&e[4]) = -0.125;
  V_VT(&e[5]) = VT_UNKNOWN; V_UNKNOWN(&e[5]) = &object; object.AddRef();
  V_VT(&e[6]) = VT_ARRAY | VT_VARIANT; V_ARRAY(&e[6]) = SmallArray(L"inner", 5);
  V_VT(&e[7]) = VT_BSTR; V_BSTR(&e[7]) = SysAllocString(std::wstring(5000, L'w').c_str());
  SafeArrayUnaccessData(psa);
  VARIANT put;
  VariantInit(&put);
  V_VT(&put) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&put) = psa;
  ASSERT_EQ(o->put_alldata(put), S_OK);
  EXPECT_EQ(object.refs, 3u);  // ours, the host's array's, the server's copy's

  VARIANT got;
  VariantInit(&got);
  ASSERT_EQ(o->get_alldata(&got), S_OK);
  ASSERT_EQ(V_VT(&got), VT_ARRAY | VT_VARIANT);
  SAFEARRAY* back = V_ARRAY(&got);
  ASSERT_EQ(SafeArrayGetDim(back), 2u);
  for (UINT d = 0; d < 2; ++d) {
    EXPECT_EQ(back->rgsabound[d].cElements, psa->rgsabound[d].cElements);
    EXPECT_EQ(back->rgsabound[d].lLbound, psa->rgsabound[d].lLbound);
  }
  VARIANT* g = nullptr;
  ASSERT_EQ(SafeArrayAccessData(back, reinterpret_cast<void**>(&g)), S_OK);
  ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void**>(&e)), S_OK);
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    ASSERT_EQ(V_VT(&g[k]), V_VT(&e[k]));
    if (V_VT(&e[k]) == VT_BSTR) {
      ASSERT_EQ(V_BSTR(&g[k]) == nullptr, V_BSTR(&e[k]) == nullptr);
      if (!V_BSTR(&e[k])) continue;
      ASSERT_EQ(SysStringByteLen(V_BSTR(&g[k])), SysStringByteLen(V_BSTR(&e[k])));
      EXPECT_EQ(std::memcmp(V_BSTR(&g[k]), V_BSTR(&e[k]), SysStringByteLen(V_BSTR(&e[k]))), 0);
      EXPECT_NE(V_BSTR(&g[k]), V_BSTR(&e[k]));
    }
  }
  EXPECT_EQ(V_R8(&g[4]), -0.125);
  EXPECT_EQ(V_UNKNOWN(&g[5]), &object);
  EXPECT_EQ(FirstText(g[6]), L"inner");
  SafeArrayUnaccessData(psa);
  SafeArrayUnaccessData(back);
  VariantClear(&got);
  EXPECT_EQ(object.refs, 3u);

  // The host's array gone, the server's copy stands alone; replaced, it
  // lets go of what it held.
  VariantClear(&put);
  EXPECT_EQ(object.refs, 2u);
  VARIANT small;
  VariantInit(&small);
  V_VT(&small) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&small) = SmallArray(L"next", 1);
  ASSERT_EQ(o->put_alldata(small), S_OK);
  EXPECT_EQ(object.refs, 1u);
  ASSERT_EQ(o->get_alldata(&got), S_OK);
  EXPECT_EQ(FirstText(got), L"next");
  VariantClear(&got);

  // An element the system refuses to copy: the put fails, the slot keeps
  // its value and nothing is held.
  SAFEARRAYBOUND one{2, 0};
  SAFEARRAY* bad = SafeArrayCreate(VT_VARIANT, 1, &one);
  ASSERT_EQ(SafeArrayAccessData(bad, reinterpret_cast<void**>(&e)), S_OK);
  V_VT(&e[0]) = VT_UNKNOWN; V_UNKNOWN(&e[0]) = &object; object.AddRef();
  V_VT(&e[1]) = 0x7FF;  // no such kind
  SafeArrayUnaccessData(bad);
  VARIANT refused;
  VariantInit(&refused);
  V_VT(&refused) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&refused) = bad;
  EXPECT_TRUE(FAILED(o->put_alldata(refused)));
  EXPECT_EQ(object.refs, 2u);
  ASSERT_EQ(o->get_alldata(&got), S_OK);
  EXPECT_EQ(FirstText(got), L"next");
  VariantClear(&got);
  SafeArrayAccessData(bad, reinterpret_cast<void**>(&e));
  V_VT(&e[1]) = VT_EMPTY;
  SafeArrayUnaccessData(bad);
  VariantClear(&refused);
  EXPECT_EQ(object.refs, 1u);

  VariantClear(&small);
  VARIANT empty;
  VariantInit(&empty);
  EXPECT_EQ(o->put_alldata(empty), S_OK);
  o->Release();
}

}  // namespace
