#include "server/com/kovar3.h"

#include <oleauto.h>

#include <exception>
#include <new>

#include "platform/error.h"
#include "server/commands.h"
#include "server/core/lance.h"
#include "server/core/session.h"
#include "server/com/module.h"
#include "server/com/variant_bridge.h"
#include "win32/platform/win32_platform.h"
#if TOPALINE_HAVE_WIN32_UI
#include "server/dialogs/common/message_box.h"
#include "win32/ui/msw_form_runner.h"
#include "win32/ui/msw_guard.h"
#endif

namespace topaline {

HRESULT ReportError(HRESULT hr, const std::wstring& description) {
  ICreateErrorInfo* create = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    create->SetGUID(IID_Ikovar3);
    create->SetSource(const_cast<LPOLESTR>(L"topaline3.kovar3"));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
      SetErrorInfo(0, info);
      info->Release();
    }
    create->Release();
  }
  return hr;
}

namespace {

// Runs body; any exception becomes `failure` (E_UNEXPECTED unless the
// body returned its own status) with its message as the error description.
template <class Body>
HRESULT Guard(HRESULT failure, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return ReportError(failure == E_UNEXPECTED ? failure : E_OUTOFMEMORY, CurrentExceptionMessage());
  } catch (...) {
    return ReportError(failure, CurrentExceptionMessage());
  }
}

HRESULT GetSlot(Slot slot, VARIANT* value) {
  if (!value) return E_POINTER;
  return Guard(E_FAIL, [&] {
    HRESULT hr = ServerExchange().copyOut(slot, value);
    if (FAILED(hr)) return ReportError(hr, std::wstring(L"Cannot copy ") + SlotName(slot) + L".");
    return S_OK;
  });
}

HRESULT PutSlot(Slot slot, const VARIANT& value) {
  return Guard(E_FAIL, [&] {
    HRESULT hr = ServerExchange().assign(slot, value);
    if (FAILED(hr)) return ReportError(hr, std::wstring(L"Cannot store the value of ") + SlotName(slot) + L".");
    return S_OK;
  });
}

}  // namespace

// ---------------------------------------------------------------- object

Tkovar3::Tkovar3(ITypeInfo* info) : typeInfo_(info) { ModuleAddRef(); }

Tkovar3::~Tkovar3() {
  typeInfo_->Release();
  ModuleRelease();
}

HRESULT Tkovar3::Create(REFIID iid, void** out) {
  ITypeInfo* info = nullptr;
  HRESULT hr = GetIkovar3TypeInfo(&info);
  if (FAILED(hr)) return hr;
  Tkovar3* object = new (std::nothrow) Tkovar3(info);
  if (!object) {
    info->Release();
    return E_OUTOFMEMORY;
  }
  hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

HRESULT Tkovar3::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_Ikovar3)) {
    *out = static_cast<Ikovar3*>(this);
  } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
    *out = static_cast<ISupportErrorInfo*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG Tkovar3::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG Tkovar3::Release() {
  LONG n = InterlockedDecrement(&refs_);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

HRESULT Tkovar3::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT Tkovar3::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  typeInfo_->AddRef();
  *info = typeInfo_;
  return S_OK;
}

HRESULT Tkovar3::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  return DispGetIDsOfNames(typeInfo_, names, count, ids);
}

namespace {

// The number of arguments each member takes, checked here whatever the
// type library's Invoke lets through: a surplus argument (an index on a
// put, a second argument to lance) must never reach a member. -1: the
// member is not known here (the type library answers).
int ExpectedArgumentCount(DISPID id, WORD flags) {
  switch (id) {
    case 201:  // lance(nomprog)
      return 1;
    case 202: case 203: case 204: case 206:  // alldata, AXPoints, AXGroupes, AXCalques
      return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ? 1 : 0;
    case 205:  // resultat (read only)
      return 0;
    default:
      return -1;
  }
}

}  // namespace

HRESULT Tkovar3::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  SetErrorInfo(0, nullptr);
  const int expected = ExpectedArgumentCount(id, flags);
  if (expected >= 0 && static_cast<int>(params ? params->cArgs : 0) != expected) return DISP_E_BADPARAMCOUNT;
  HRESULT hr = typeInfo_->Invoke(static_cast<Ikovar3*>(this), id, flags, params, result, excep, argErr);
  if (hr == DISP_E_EXCEPTION && excep && !excep->bstrDescription) {
    // Make sure the caller sees the member's own description.
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
      info->GetDescription(&excep->bstrDescription);
      if (!excep->bstrSource) info->GetSource(&excep->bstrSource);
      info->Release();
    }
  }
  return hr;
}

namespace {

// Set while a lance call runs. Its dialogs (and the question box) pump the
// thread's messages, so the host's own window procedures may run and call
// lance again meanwhile: such a call would reset resultat and replace the
// labels and exchange values under the open dialog.
bool g_lanceRunning = false;

}  // namespace

HRESULT Tkovar3::lance(BSTR nomprog) {
  return Guard(E_UNEXPECTED, [&] {
    if (g_lanceRunning)
      return ReportError(E_UNEXPECTED, L"lance was called again while the dialog of an earlier lance call is still "
                                       L"open; nothing was done. Call lance again once that dialog has closed.");
    g_lanceRunning = true;
    struct RunningReset {
      ~RunningReset() { g_lanceRunning = false; }
    } runningReset;
    Win32Services services;
    Platform platform = services.platform();
#if TOPALINE_HAVE_WIN32_UI
    // Dialogs run modally over the window that is active now (lance's
    // owner window, step 1), and the system's own boxes and file dialogs
    // over the dialog on top of the runner's modal stack.
    msw::MSWFormRunner forms(services.system.activeWindow());
    UseFormRunner(platform, &forms);
#endif
    Session session(platform, ServerExchange());
#if TOPALINE_HAVE_WIN32_UI
    // A failure inside the window layer itself (not in a dialog's
    // reaction, which the form reports) reaches the user in the product's
    // own error box while this call's dialogs run.
    forms.SetErrorReporter([&session](const std::wstring& message) { ShowErrorBox(session, message); });
#endif
    std::wstring command = nomprog ? std::wstring(nomprog, SysStringLen(nomprog)) : std::wstring();
    Lance(session, command, StandardCommands());
    return S_OK;
  });
}

HRESULT Tkovar3::get_AXPoints(VARIANT* value) { return GetSlot(Slot::AXPoints, value); }
HRESULT Tkovar3::put_AXPoints(VARIANT value) { return PutSlot(Slot::AXPoints, value); }
HRESULT Tkovar3::get_AXGroupes(VARIANT* value) { return GetSlot(Slot::AXGroupes, value); }
HRESULT Tkovar3::put_AXGroupes(VARIANT value) { return PutSlot(Slot::AXGroupes, value); }
HRESULT Tkovar3::get_alldata(VARIANT* value) { return GetSlot(Slot::alldata, value); }
HRESULT Tkovar3::put_alldata(VARIANT value) { return PutSlot(Slot::alldata, value); }
HRESULT Tkovar3::get_AXCalques(VARIANT* value) { return GetSlot(Slot::AXCalques, value); }
HRESULT Tkovar3::put_AXCalques(VARIANT value) { return PutSlot(Slot::AXCalques, value); }

HRESULT Tkovar3::get_resultat(int* value) {
  if (!value) return E_POINTER;
  return Guard(E_FAIL, [&] {
    *value = ServerExchange().resultat;
    return S_OK;
  });
}

HRESULT Tkovar3::InterfaceSupportsErrorInfo(REFIID iid) {
  return IsEqualIID(iid, IID_Ikovar3) ? S_OK : S_FALSE;
}

// ---------------------------------------------------------------- factory

namespace {

class Kovar3Factory final : public IClassFactory {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // A reference to the factory keeps the module loaded, like a lock.
  ULONG STDMETHODCALLTYPE AddRef() override {
    ModuleAddRef();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    ModuleRelease();
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      return Tkovar3::Create(iid, out);  // finding the type library allocates its path
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) ModuleAddRef(); else ModuleRelease();
    return S_OK;
  }
};

Kovar3Factory g_factory;

}  // namespace

IClassFactory& Kovar3ClassFactory() { return g_factory; }

}  // namespace topaline
