#include "installer/payload/PackPayload.h"

#include "installer/codec/ZlibCodec.h"
#include "toolkit/base/Stream.h"

namespace {

struct PayloadFile {
  const char *baseName;
  const char *extension;
};

constexpr PayloadFile kPayloadFiles[] = {
    {"Kelvora", ".exe"},
    {"KelvoraV3DLL", ".dll"},
    {"eKalit", ".dll"},
    {"iKeyAPI", ".dll"},
};

} // namespace

void PackPayload(const std::string &sourceFolder, const std::string &targetFolder, const PayloadFileWriter &writeFile) {
  TMemoryStream stream;
  for (const PayloadFile &file : kPayloadFiles) {
    stream.Clear();
    stream.LoadFromFile(sourceFolder + file.baseName + file.extension);
    TByteBlock packed = CompressBuffer(stream.Bytes());
    stream.Clear();
    stream.WriteBuffer(packed.Data(), packed.Size());
    stream.SetPosition(0);
    writeFile(targetFolder + file.baseName + ".zip", stream.Bytes());
  }
}
