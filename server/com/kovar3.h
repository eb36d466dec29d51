// Tkovar3: the automation object of class kovar3. It has no state of its
// own: the exchange values and resultat are server-wide (module.h).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "server/com/topaline3.h"

namespace topaline {

class Tkovar3 final : public Ikovar3, public ISupportErrorInfo {
public:
  static HRESULT Create(REFIID iid, void** out);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch, answered through the type library
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
  // Ikovar3
  HRESULT STDMETHODCALLTYPE lance(BSTR nomprog) override;
  HRESULT STDMETHODCALLTYPE get_AXPoints(VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE put_AXPoints(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_AXGroupes(VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE put_AXGroupes(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_resultat(int* value) override;
  HRESULT STDMETHODCALLTYPE get_alldata(VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE put_alldata(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE get_AXCalques(VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE put_AXCalques(VARIANT value) override;
  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

private:
  explicit Tkovar3(ITypeInfo* info);
  ~Tkovar3();

  LONG refs_ = 1;
  ITypeInfo* typeInfo_;
};

// The one class factory of kovar3 (multi-instance: every CreateInstance
// makes a new object).
IClassFactory& Kovar3ClassFactory();

// Sets the calling thread's error information (source "topaline3.kovar3",
// the given description) and returns hr.
HRESULT ReportError(HRESULT hr, const std::wstring& description);

}  // namespace topaline
