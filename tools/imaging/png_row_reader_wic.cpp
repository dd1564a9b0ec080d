// The row reader on the Windows Imaging Component: the PNG decoder's frame, converted to 8-bit
// RGBA whatever its colour type and depth, copied out a row at a time.
#include "imaging/png_file.h"
#include "imaging/png_row_reader.h"
#include "imaging/wic_session.h"

namespace sgimage {

struct PngRowReader::Decoder {
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;

  ~Decoder() {
    wic::release(converter);
    wic::release(frame);
    wic::release(decoder);
  }
};

// WIC hands out an interlaced image's rows itself; no rows are kept aside on this back end.
struct PngRowReader::RowsFile {};

PngRowReader::PngRowReader() = default;
PngRowReader::~PngRowReader() = default;
PngRowReader::PngRowReader(PngRowReader&& o) noexcept = default;

void PngRowReader::close() { decoder_.reset(); }

bool PngRowReader::open(const std::string& file, std::string& error) {
  close();
  const std::wstring name = wic::wideName(file);
  DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = "no such file";
    return false;
  }
  IWICImagingFactory* wicFactory = wic::factory(error);
  if (!wicFactory) return false;
  decoder_ = std::make_unique<Decoder>();
  Decoder& d = *decoder_;
  HRESULT hr = wicFactory->CreateDecoderFromFilename(name.c_str(), &GUID_VendorMicrosoft, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &d.decoder);
  GUID container{};
  if (SUCCEEDED(hr)) hr = d.decoder->GetContainerFormat(&container);
  if (SUCCEEDED(hr) && container != GUID_ContainerFormatPng) hr = WINCODEC_ERR_COMPONENTNOTFOUND;
  if (SUCCEEDED(hr)) hr = d.decoder->GetFrame(0, &d.frame);
  UINT w = 0, h = 0;
  if (SUCCEEDED(hr)) hr = d.frame->GetSize(&w, &h);
  if (FAILED(hr)) {
    error = wic::reason("not a readable PNG image", hr);
    close();
    return false;
  }
  // Read a row at a time: any image whose rows the coders write can be read.
  if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) {
    error = "image size " + std::to_string(w) + "x" + std::to_string(h) + " is out of range";
    close();
    return false;
  }
  hr = wicFactory->CreateFormatConverter(&d.converter);
  if (SUCCEEDED(hr))
    hr = d.converter->Initialize(d.frame, GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                 WICBitmapPaletteTypeCustom);
  if (FAILED(hr)) {
    error = wic::reason("not a readable PNG image", hr);
    close();
    return false;
  }
  width_ = static_cast<int>(w);
  height_ = static_cast<int>(h);
  row_ = 0;
  buffer_.assign(static_cast<size_t>(width_) * 4, 0);
  return true;
}

const uint8_t* PngRowReader::next(std::string& error) {
  if (!decoder_ || row_ >= height_) {
    error = "no more rows";
    return nullptr;
  }
  const UINT stride = static_cast<UINT>(buffer_.size());
  WICRect rect{0, row_, width_, 1};
  HRESULT hr = decoder_->converter->CopyPixels(&rect, stride, stride, buffer_.data());
  if (FAILED(hr)) {
    error = wic::reason("corrupt PNG image", hr);
    close();
    return nullptr;
  }
  ++row_;
  return buffer_.data();
}

}  // namespace sgimage
