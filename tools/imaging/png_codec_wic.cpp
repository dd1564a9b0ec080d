// The PNG coder on the Windows Imaging Component: the encoder takes BGRA rows one at a time
// through WritePixels, into a stream on the temporary file; the decoder's frame is converted
// to 8-bit RGBA whatever its colour type and depth, and copied out a row at a time (WIC hands
// out an interlaced image's rows itself).
#include <cstdio>
#include <vector>

#include "imaging/png_codec.h"
#include "imaging/wic_session.h"
#include "system/atomic_file.h"
#include "system/temporary_files.h"

namespace sgimage {

namespace {

class WicCoder : public PngRowWriter::Coder {
 public:
  ~WicCoder() override { close(); }

  bool start(const std::string& file, int width, int height, int filters, std::string& temp, std::string& error) {
    // Made afresh here (never through a planted link), then opened by the encoder's stream.
    std::FILE* made = sgsys::createTemporary(file, ".part", temp);
    if (!made) {
      error = "cannot create " + temp;
      return false;
    }
    std::fclose(made);
    IWICImagingFactory* wicFactory = wic::factory(error);
    if (!wicFactory) return failed(temp, nullptr, 0, error);
    HRESULT hr = wicFactory->CreateStream(&stream_);
    if (FAILED(hr)) return failed(temp, "cannot start the PNG encoder", hr, error);
    hr = stream_->InitializeFromFilename(wic::wideName(temp).c_str(), GENERIC_WRITE);
    if (FAILED(hr)) return failed(temp, ("cannot create " + temp).c_str(), hr, error);
    hr = wicFactory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder_);
    if (SUCCEEDED(hr)) hr = encoder_->Initialize(stream_, WICBitmapEncoderNoCache);
    IPropertyBag2* options = nullptr;
    if (SUCCEEDED(hr)) hr = encoder_->CreateNewFrame(&frame_, &options);
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
    if (SUCCEEDED(hr)) hr = frame_->Initialize(options);
    wic::release(options);
    if (SUCCEEDED(hr)) hr = frame_->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (SUCCEEDED(hr)) hr = frame_->SetPixelFormat(&format);
    if (FAILED(hr)) return failed(temp, "cannot start the PNG encoder", hr, error);
    if (format != GUID_WICPixelFormat32bppBGRA)
      return failed(temp, "the PNG encoder refuses 8-bit RGBA pixels", E_FAIL, error);
    bgra_.resize(static_cast<size_t>(width) * 4);
    return true;
  }

  bool row(const uint8_t* rgba, std::string& error) override {
    uint8_t* out = bgra_.data();
    for (size_t x = 0; x < bgra_.size(); x += 4, rgba += 4, out += 4) {
      out[0] = rgba[2];
      out[1] = rgba[1];
      out[2] = rgba[0];
      out[3] = rgba[3];
    }
    const UINT stride = static_cast<UINT>(bgra_.size());
    const HRESULT hr = frame_->WritePixels(1, stride, stride, bgra_.data());
    if (FAILED(hr)) error = wic::reason("cannot encode the image", hr);
    return SUCCEEDED(hr);
  }

  bool end(const std::string& temp, const std::string& target, std::string& error) override {
    HRESULT hr = frame_->Commit();
    if (SUCCEEDED(hr)) hr = encoder_->Commit();
    if (SUCCEEDED(hr)) hr = stream_->Commit(STGC_DEFAULT);
    if (FAILED(hr)) return failed(temp, ("cannot write " + temp).c_str(), hr, error);
    close();
    return sgsys::placeTemporary(temp, target, error);
  }

  void abandon(const std::string& temp) override {
    close();  // the stream lets the file go before it is removed
    DeleteFileW(wic::wideName(temp).c_str());
  }

 private:
  // `what` null: the reason is in `error` already.
  bool failed(const std::string& temp, const char* what, HRESULT hr, std::string& error) {
    if (what) error = wic::reason(what, hr);
    abandon(temp);
    return false;
  }
  void close() {
    wic::release(frame_);
    wic::release(encoder_);
    wic::release(stream_);
  }

  IWICStream* stream_ = nullptr;
  IWICBitmapEncoder* encoder_ = nullptr;
  IWICBitmapFrameEncode* frame_ = nullptr;
  std::vector<uint8_t> bgra_;  // one row in the encoder's pixel order
};

class WicDecoder : public PngRowReader::Decoder {
 public:
  ~WicDecoder() override { letGo(); }

  bool open(const std::string& file, uint32_t& width, uint32_t& height, std::string& error) {
    const std::wstring name = wic::wideName(file);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      error = "no such file";
      return false;
    }
    factory_ = wic::factory(error);
    if (!factory_) return false;
    HRESULT hr = factory_->CreateDecoderFromFilename(name.c_str(), &GUID_VendorMicrosoft, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder_);
    GUID container{};
    if (SUCCEEDED(hr)) hr = decoder_->GetContainerFormat(&container);
    if (SUCCEEDED(hr) && container != GUID_ContainerFormatPng) hr = WINCODEC_ERR_COMPONENTNOTFOUND;
    if (SUCCEEDED(hr)) hr = decoder_->GetFrame(0, &frame_);
    UINT w = 0, h = 0;
    if (SUCCEEDED(hr)) hr = frame_->GetSize(&w, &h);
    if (FAILED(hr)) {
      error = wic::reason("not a readable PNG image", hr);
      return false;
    }
    width = w;
    height = h;
    width_ = static_cast<INT>(w);
    return true;
  }

  bool prepare(const std::string&, int, std::vector<uint8_t>&, std::string& error) override {
    HRESULT hr = factory_->CreateFormatConverter(&converter_);
    if (SUCCEEDED(hr))
      hr = converter_->Initialize(frame_, GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                  WICBitmapPaletteTypeCustom);
    if (FAILED(hr)) error = wic::reason("not a readable PNG image", hr);
    return SUCCEEDED(hr);
  }

  bool read(int row, uint8_t* out, size_t stride, std::string& error) override {
    WICRect rect{0, row, width_, 1};
    const HRESULT hr = converter_->CopyPixels(&rect, static_cast<UINT>(stride), static_cast<UINT>(stride), out);
    if (FAILED(hr)) error = wic::reason("corrupt PNG image", hr);
    return SUCCEEDED(hr);
  }

  bool letGo() override {
    wic::release(converter_);
    wic::release(frame_);
    wic::release(decoder_);
    return false;
  }

 private:
  IWICImagingFactory* factory_ = nullptr;
  IWICBitmapDecoder* decoder_ = nullptr;
  IWICBitmapFrameDecode* frame_ = nullptr;
  IWICFormatConverter* converter_ = nullptr;
  INT width_ = 0;
};

}  // namespace

std::unique_ptr<PngRowWriter::Coder> startPngCoder(const std::string& file, int width, int height, int /*level*/,
                                                   int filters, std::string& temp, std::string& error) {
  auto coder = std::make_unique<WicCoder>();
  if (!coder->start(file, width, height, filters, temp, error)) return nullptr;
  return coder;
}

std::unique_ptr<PngRowReader::Decoder> openPngDecoder(const std::string& file, uint32_t& width, uint32_t& height,
                                                      std::string& error) {
  auto decoder = std::make_unique<WicDecoder>();
  if (!decoder->open(file, width, height, error)) return nullptr;
  return decoder;
}

}  // namespace sgimage
