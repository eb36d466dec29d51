// The automation object of orvane.dll, created straight from the DLL the
// benchmark names (no registration needed): what a host gets from
// CreateObject. Prints why and returns null when it cannot.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdio>

inline IDispatch* CreateServerObject(const wchar_t* dllPath) {
  HMODULE dll = LoadLibraryW(dllPath);
  if (!dll) {
    std::fprintf(stderr, "cannot load %ls\n", dllPath);
    return nullptr;
  }
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  CLSID clsid{};
  CLSIDFromString(const_cast<LPOLESTR>(L"{F4DDA72C-7869-48C9-9E3F-51A743B7A257}"), &clsid);
  IClassFactory* factory = nullptr;
  IDispatch* obj = nullptr;
  if (!getClassObject || FAILED(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
      FAILED(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&obj)))) {
    std::fprintf(stderr, "cannot create the automation object\n");
    if (factory) factory->Release();
    return nullptr;
  }
  factory->Release();
  return obj;
}
