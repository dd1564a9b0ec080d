// The row writer on the Windows Imaging Component: the PNG encoder takes BGRA rows one at a time
// through WritePixels, into a stream on the temporary file.
#include <cstring>
#include <vector>

#include "imaging/png_rows.h"
#include "imaging/wic_session.h"
#include "system/atomic_file.h"
#include "system/temporary_files.h"

namespace sgimage {

struct PngRowWriter::Coder {
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  std::vector<uint8_t> bgra;  // one row in the encoder's pixel order

  ~Coder() {
    wic::release(frame);
    wic::release(encoder);
    wic::release(stream);
  }
};

PngRowWriter::PngRowWriter() = default;
PngRowWriter::~PngRowWriter() { abandon(); }

void PngRowWriter::abandon() {
  if (!coder_) return;
  coder_.reset();  // closes the stream before the file goes
  DeleteFileW(wic::wideName(temp_).c_str());
}

bool PngRowWriter::open(const std::string& file, int width, int height, std::string& error, int /*level*/,
                        int filters) {
  abandon();
  file_ = file;
  // Made afresh here (never through a planted link), then opened by the encoder's stream.
  std::FILE* made = sgsys::createTemporary(file, ".part", temp_);
  if (!made) {
    error = "cannot create " + temp_;
    return false;
  }
  std::fclose(made);
  width_ = width;
  rowsLeft_ = height;
  if (width <= 0 || height <= 0) {
    error = "the image is empty";
    return false;
  }
  IWICImagingFactory* wicFactory = wic::factory(error);
  if (!wicFactory) return false;
  coder_ = std::make_unique<Coder>();
  Coder& c = *coder_;
  auto failed = [&](const char* what, HRESULT hr) {
    error = wic::reason(what, hr);
    abandon();
    return false;
  };
  HRESULT hr = wicFactory->CreateStream(&c.stream);
  if (FAILED(hr)) return failed("cannot start the PNG encoder", hr);
  hr = c.stream->InitializeFromFilename(wic::wideName(temp_).c_str(), GENERIC_WRITE);
  if (FAILED(hr)) {
    error = wic::reason(("cannot create " + temp_).c_str(), hr);
    coder_.reset();
    return false;
  }
  hr = wicFactory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &c.encoder);
  if (SUCCEEDED(hr)) hr = c.encoder->Initialize(c.stream, WICBitmapEncoderNoCache);
  IPropertyBag2* options = nullptr;
  if (SUCCEEDED(hr)) hr = c.encoder->CreateNewFrame(&c.frame, &options);
  if (SUCCEEDED(hr) && options) {
    // No filter on any row, as the other coder writes maps; no interlacing.
    PROPBAG2 name{};
    VARIANT value;
    VariantInit(&value);
    name.pstrName = const_cast<LPOLESTR>(L"FilterOption");
    value.vt = VT_UI1;
    value.bVal = filters >= 0 ? WICPngFilterUnspecified : WICPngFilterNone;
    options->Write(1, &name, &value);  // a coder without the option keeps its own choice
  }
  if (SUCCEEDED(hr)) hr = c.frame->Initialize(options);
  wic::release(options);
  if (SUCCEEDED(hr)) hr = c.frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (SUCCEEDED(hr)) hr = c.frame->SetPixelFormat(&format);
  if (FAILED(hr)) return failed("cannot start the PNG encoder", hr);
  if (format != GUID_WICPixelFormat32bppBGRA) return failed("the PNG encoder refuses 8-bit RGBA pixels", E_FAIL);
  c.bgra.resize(static_cast<size_t>(width) * 4);
  return true;
}

bool PngRowWriter::write(const uint8_t* rgba, std::string& error) {
  if (!coder_ || rowsLeft_ <= 0) {
    error = "no image is being written";
    return false;
  }
  uint8_t* out = coder_->bgra.data();
  for (int x = 0; x < width_; ++x, rgba += 4, out += 4) {
    out[0] = rgba[2];
    out[1] = rgba[1];
    out[2] = rgba[0];
    out[3] = rgba[3];
  }
  const UINT stride = static_cast<UINT>(coder_->bgra.size());
  HRESULT hr = coder_->frame->WritePixels(1, stride, stride, coder_->bgra.data());
  if (FAILED(hr)) {
    error = wic::reason("cannot encode the image", hr);
    abandon();
    return false;
  }
  --rowsLeft_;
  return true;
}

bool PngRowWriter::finish(std::string& error) {
  if (!coder_ || rowsLeft_ != 0) {
    error = "the image is not complete";
    abandon();
    return false;
  }
  HRESULT hr = coder_->frame->Commit();
  if (SUCCEEDED(hr)) hr = coder_->encoder->Commit();
  if (SUCCEEDED(hr)) hr = coder_->stream->Commit(STGC_DEFAULT);
  if (FAILED(hr)) {
    error = wic::reason(("cannot write " + temp_).c_str(), hr);
    abandon();
    return false;
  }
  coder_.reset();
  return sgsys::placeTemporary(temp_, file_, error);
}

}  // namespace sgimage
