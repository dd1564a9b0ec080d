// The Windows Imaging Component as the PNG coder's back end: COM started once per thread, the
// imaging factory, reasons for failed calls, and file names turned from the ANSI code page (in
// which the tools receive them) into the wide names that Windows opens.
#pragma once
#include <wincodec.h>
#include <windows.h>

#include <string>

namespace sgimage::wic {

// The calling thread's factory; nullptr with a reason when COM or WIC cannot start.
IWICImagingFactory* factory(std::string& error);

std::wstring wideName(const std::string& file);

// "the call failed (0x88982F50)" and the like, for a one-line reason.
std::string reason(const char* what, HRESULT hr);

// Releases a COM pointer and clears it.
template <class T>
void release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

}  // namespace sgimage::wic
