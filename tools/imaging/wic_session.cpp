#include "imaging/wic_session.h"

#include <cstdio>

#include "system/tool_system.h"

namespace sgimage::wic {

namespace {

// COM is started for the thread on first use and ended when the thread ends; the factory
// lives as long.
struct ThreadSession {
  HRESULT started = E_FAIL;
  IWICImagingFactory* factory = nullptr;
  HRESULT created = E_FAIL;

  ThreadSession() {
    started = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(started) || started == RPC_E_CHANGED_MODE)
      created = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&factory));
  }
  ~ThreadSession() {
    release(factory);
    if (SUCCEEDED(started)) CoUninitialize();
  }
};

}  // namespace

IWICImagingFactory* factory(std::string& error) {
  thread_local ThreadSession session;
  if (!session.factory) error = reason("cannot start the Windows Imaging Component", session.created);
  return session.factory;
}

std::wstring wideName(const std::string& file) { return sgsys::pathOf(file).wstring(); }

std::string reason(const char* what, HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  return std::string(what) + " (" + code + ")";
}

}  // namespace sgimage::wic
