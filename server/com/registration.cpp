// DllRegisterServer, DllUnregisterServer and DllInstall.
//
// Per machine (regsvr32 orvane.dll) the entries go under
// HKEY_LOCAL_MACHINE\Software\Classes; per user (regsvr32 /i:user /n
// orvane.dll, no administrator rights needed) under
// HKEY_CURRENT_USER\Software\Classes, with the type library registered for
// the user only.
#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <cstring>
#include <new>
#include <string>

#include "server/com/module.h"
#include "server/com/topaline3.h"

namespace topaline {

namespace {

const wchar_t kProgId[] = L"topaline3.kovar3";
const wchar_t kDescription[] = L"kovar3 Objet";

// The per-user type library functions, looked up at run time (the
// compiler's import library does not declare them).
using RegisterForUserFn = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnregisterForUserFn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

template <class Fn>
Fn Oleaut32Function(const char* name) {
  HMODULE oleaut = GetModuleHandleW(L"oleaut32.dll");
  FARPROC p = oleaut ? GetProcAddress(oleaut, name) : nullptr;
  Fn fn = nullptr;
  static_assert(sizeof fn == sizeof p, "function pointers");
  memcpy(&fn, &p, sizeof fn);
  return fn;
}

HRESULT RegisterTypeLibForUser(ITypeLib* lib, OLECHAR* path, OLECHAR* helpDir) {
  auto fn = Oleaut32Function<RegisterForUserFn>("RegisterTypeLibForUser");
  return fn ? fn(lib, path, helpDir) : E_NOTIMPL;
}

HRESULT UnRegisterTypeLibForUser(REFGUID lib, WORD major, WORD minor, LCID lcid, SYSKIND kind) {
  auto fn = Oleaut32Function<UnregisterForUserFn>("UnRegisterTypeLibForUser");
  return fn ? fn(lib, major, minor, lcid, kind) : E_NOTIMPL;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

LONG SetValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                            nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return rc;
}

LONG DeleteTree(HKEY root, const std::wstring& path) {
  LONG rc = RegDeleteTreeW(root, path.c_str());
  if (rc == ERROR_SUCCESS) rc = RegDeleteKeyW(root, path.c_str());
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

HRESULT Unregister(bool perUser) {
  HKEY root = perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::wstring classes = L"Software\\Classes\\";
  HRESULT result = S_OK;
  if (DeleteTree(root, classes + L"CLSID\\" + GuidText(CLSID_kovar3)) != ERROR_SUCCESS) result = SELFREG_E_CLASS;
  if (DeleteTree(root, classes + kProgId) != ERROR_SUCCESS) result = SELFREG_E_CLASS;

  // The library's locale and platform come from the library itself.
  ITypeLib* lib = nullptr;
  if (SUCCEEDED(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &lib))) {
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(lib->GetLibAttr(&attr))) {
      HRESULT hr = perUser ? UnRegisterTypeLibForUser(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum,
                                                       attr->lcid, attr->syskind)
                           : UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid,
                                               attr->syskind);
      // A library that was not registered is not an error here.
      if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED) result = SELFREG_E_TYPELIB;
      lib->ReleaseTLibAttr(attr);
    }
    lib->Release();
  }
  return result;
}

HRESULT Register(bool perUser) {
  HKEY root = perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::wstring path = ModulePath();
  if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
  const std::wstring clsid = GuidText(CLSID_kovar3);
  const std::wstring classKey = L"Software\\Classes\\CLSID\\" + clsid;
  const std::wstring progKey = std::wstring(L"Software\\Classes\\") + kProgId;

  LONG rc = SetValue(root, classKey, nullptr, kDescription);
  if (!rc) rc = SetValue(root, classKey + L"\\InprocServer32", nullptr, path);
  if (!rc) rc = SetValue(root, classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  if (!rc) rc = SetValue(root, classKey + L"\\ProgID", nullptr, kProgId);
  if (!rc) rc = SetValue(root, classKey + L"\\TypeLib", nullptr, GuidText(LIBID_topaline3));
  if (!rc) rc = SetValue(root, classKey + L"\\Version", nullptr, L"1.0");
  if (!rc) rc = SetValue(root, classKey + L"\\Programmable", nullptr, L"");
  if (!rc) rc = SetValue(root, progKey, nullptr, kDescription);
  if (!rc) rc = SetValue(root, progKey + L"\\CLSID", nullptr, clsid);
  if (rc) {
    Unregister(perUser);
    return HRESULT_FROM_WIN32(rc);
  }

  ITypeLib* lib = nullptr;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
  if (SUCCEEDED(hr)) {
    OLECHAR* file = const_cast<OLECHAR*>(path.c_str());
    hr = perUser ? RegisterTypeLibForUser(lib, file, nullptr) : RegisterTypeLib(lib, file, nullptr);
    lib->Release();
  }
  if (FAILED(hr)) {
    Unregister(perUser);
    return hr;
  }
  return S_OK;
}

}  // namespace

}  // namespace topaline

using namespace topaline;

namespace {

// regsvr32 is a host too: nothing thrown (no memory for a path) leaves.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace

STDAPI DllRegisterServer() {
  return Guarded([] { return Register(false); });
}

STDAPI DllUnregisterServer() {
  return Guarded([] { return Unregister(false); });
}

// pszCmdLine "user": for the current user only; empty or "machine": for
// every user, as DllRegisterServer.
STDAPI DllInstall(BOOL install, LPCWSTR cmdLine) {
  bool perUser;
  if (!cmdLine || !*cmdLine || lstrcmpiW(cmdLine, L"machine") == 0) {
    perUser = false;
  } else if (lstrcmpiW(cmdLine, L"user") == 0) {
    perUser = true;
  } else {
    return E_INVALIDARG;
  }
  return Guarded([&] { return install ? Register(perUser) : Unregister(perUser); });
}
