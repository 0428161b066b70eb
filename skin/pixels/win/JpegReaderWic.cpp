// JPEG decoding through the Windows imaging component; the Windows build has no libjpeg.

#include <windows.h>

#include <wincodec.h>

#include <cstring>
#include <vector>

#include "skin/pixels/JpegDecoder.h"
#include "skin/pixels/PictureReader.h"

namespace {

template <class T> class ComRef {
public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef &) = delete;
  ComRef &operator=(const ComRef &) = delete;
  T *operator->() const { return p_; }
  T *get() const { return p_; }
  T **put() { return &p_; }

private:
  T *p_ = nullptr;
};

// COM for the calling thread when nobody has started it yet (tests, tools); the GUI thread has.
class ComScope {
public:
  ComScope() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (started_) CoUninitialize();
  }
  ComScope(const ComScope &) = delete;
  ComScope &operator=(const ComScope &) = delete;

private:
  bool started_;
};

void Check(HRESULT result, const char *step) {
  if (FAILED(result)) {
    char code[16];
    wsprintfA(code, "%08lX", static_cast<unsigned long>(result));
    throw EPictureError(std::string("Invalid JPEG: ") + step + " failed (" + code + ")");
  }
}

} // namespace

Image24 ReadJpeg(std::span<const uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) throw EPictureError("Invalid JPEG: no data");
  const ComScope com;
  ComRef<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void **>(factory.put())),
        "creating the imaging factory");
  ComRef<IWICStream> stream;
  Check(factory->CreateStream(stream.put()), "creating a stream");
  Check(stream->InitializeFromMemory(const_cast<BYTE *>(bytes.data()), static_cast<DWORD>(bytes.size())),
        "reading the data");
  ComRef<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, decoder.put()), "creating the decoder");
  Check(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand), "reading the header");
  ComRef<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, frame.put()), "reading the frame");
  UINT width = 0, height = 0;
  Check(frame->GetSize(&width, &height), "reading the size");
  CheckJpegSize(static_cast<int>(width), static_cast<int>(height));
  ComRef<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(converter.put()), "creating the converter");
  // 32 bits per pixel is the target every decoder and converter offers (Wine's converter has no path
  // from grey to 24 bits); the fourth byte is dropped row by row.
  Check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                              WICBitmapPaletteTypeCustom),
        "converting the pixels");

  Image24 image(static_cast<int>(width), static_cast<int>(height));
  const UINT rowBytes = width * 4;
  std::vector<uint8_t> row(rowBytes);
  for (UINT y = 0; y < height; ++y) {
    const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width), 1};
    Check(converter->CopyPixels(&line, rowBytes, rowBytes, row.data()), "decoding");
    uint8_t *target = image.ScanLine(static_cast<int>(y));
    for (UINT x = 0; x < width; ++x)
      std::memcpy(target + 3 * x, &row[4 * x], 3);
  }
  return image;
}
