// Module-wide state of orvane.dll: its instance handle, the counts behind
// DllCanUnloadNow, the type information, and the server-wide exchange.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace topaline {

class ComExchange;

HINSTANCE ModuleInstance();
std::wstring ModulePath();

// Live objects and outstanding factory references / server locks.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

// The type information of Ikovar3 from the type library embedded in this
// module (resource 1), loaded on first use. AddRef'ed for the caller.
HRESULT GetIkovar3TypeInfo(ITypeInfo** info);
void ReleaseTypeInfo();

// The exchange values and resultat, once per loaded server.
ComExchange& ServerExchange();
void FreeServerExchange();

}  // namespace topaline
