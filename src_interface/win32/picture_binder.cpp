// The binder of a picture box: a static control showing a bitmap of its own size, on which the
// model's picture is drawn scaled to fit with its aspect kept, centred on the dialog's face.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "win32/binder.h"

namespace sg::win32 {
namespace {

using forms::Prop;

class PictureBinder : public Binder {
 public:
  PictureBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(L"STATIC", SS_BITMAP | SS_REALSIZECONTROL, 0, parent, id);
  }
  ~PictureBinder() override { release(); }
  bool tabStop() const override { return false; }

 protected:
  void show(Prop p) override {
    if (p == Prop::Picture) draw();
  }
  void resized() override { draw(); }

 private:
  void release() {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }

  void draw() {
    if (!hwnd_ || !control()) return;
    RECT r;
    GetClientRect(hwnd_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(hwnd_);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(hwnd_, screen);
    if (!dc || !bitmap) {
      if (dc) DeleteDC(dc);
      if (bitmap) DeleteObject(bitmap);
      return;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    HBRUSH brush = CreateSolidBrush(face);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    const forms::Picture& pic = control()->picture();
    if (!pic.empty()) {
      // The picture over the face colour, as the top-down BGR rows GDI takes.
      std::vector<uint8_t> bgrx(static_cast<size_t>(pic.width) * pic.height * 4);
      const int back[3] = {GetBValue(face), GetGValue(face), GetRValue(face)};
      for (size_t i = 0; i + 3 < pic.rgba.size(); i += 4) {
        const int a = pic.rgba[i + 3];
        for (int c = 0; c < 3; ++c)
          bgrx[i + c] = static_cast<uint8_t>((pic.rgba[i + 2 - c] * a + back[c] * (255 - a) + 127) / 255);
      }
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = pic.width;
      info.bmiHeader.biHeight = -pic.height;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      const double scale = std::min(double(w) / pic.width, double(h) / pic.height);
      const int dw = std::max(1, static_cast<int>(pic.width * scale + 0.5));
      const int dh = std::max(1, static_cast<int>(pic.height * scale + 0.5));
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchDIBits(dc, (w - dw) / 2, (h - dh) / 2, dw, dh, 0, 0, pic.width, pic.height, bgrx.data(), &info,
                    DIB_RGB_COLORS, SRCCOPY);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    HBITMAP previous = reinterpret_cast<HBITMAP>(
        SendMessageW(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap_) DeleteObject(previous);
    release();
    bitmap_ = bitmap;
  }

  HBITMAP bitmap_ = nullptr;
};

}  // namespace

std::unique_ptr<Binder> makePictureBinder(forms::Control& control, FormWindow& window, HWND parent, int id) {
  return std::make_unique<PictureBinder>(control, window, parent, id);
}

}  // namespace sg::win32
