// DLL entry points of orvane.dll: DllMain, DllGetClassObject, DllCanUnloadNow.
// Registration lives in registration.cpp.
#include <windows.h>
#include <oleauto.h>

#include <new>

#include "server/com/kovar3.h"
#include "server/com/module.h"
#include "server/com/topaline3.h"
#include "server/com/variant_bridge.h"

namespace topaline {

namespace {
HINSTANCE g_instance = nullptr;
LONG g_uses = 0;
ITypeInfo* g_typeInfo = nullptr;
ComExchange* g_exchange = nullptr;
}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(g_instance, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void ModuleAddRef() { InterlockedIncrement(&g_uses); }
void ModuleRelease() { InterlockedDecrement(&g_uses); }
bool ModuleInUse() { return g_uses != 0; }

HRESULT GetIkovar3TypeInfo(ITypeInfo** info) {
  if (!g_typeInfo) {
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &lib);
    if (FAILED(hr)) return hr;
    hr = lib->GetTypeInfoOfGuid(IID_Ikovar3, &g_typeInfo);
    lib->Release();
    if (FAILED(hr)) return hr;
  }
  g_typeInfo->AddRef();
  *info = g_typeInfo;
  return S_OK;
}

void ReleaseTypeInfo() {
  if (g_typeInfo) g_typeInfo->Release();
  g_typeInfo = nullptr;
}

ComExchange& ServerExchange() {
  if (!g_exchange) g_exchange = new ComExchange();  // bad_alloc goes to the caller's boundary
  return *g_exchange;
}

void FreeServerExchange() {
  delete g_exchange;
  g_exchange = nullptr;
}

}  // namespace topaline

using namespace topaline;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by FreeLibrary: the process and oleaut32 live on, so free
    // what the server holds. At process exit nothing is freed.
    FreeServerExchange();
    ReleaseTypeInfo();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_kovar3)) return CLASS_E_CLASSNOTAVAILABLE;
  return Kovar3ClassFactory().QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() {
  if (ModuleInUse()) return S_FALSE;
  ReleaseTypeInfo();
  return S_OK;
}
