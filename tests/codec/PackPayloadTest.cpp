#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/codec/ZlibCodec.h"
#include "installer/payload/PackPayload.h"
#include "tests/codec/TempFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Written {
  std::string path;
  Bytes bytes;
};

const char *const kSourceNames[] = {"Kelvora.exe", "KelvoraV3DLL.dll", "eKalit.dll", "iKeyAPI.dll"};
const char *const kStreamNames[] = {"Kelvora.zip", "KelvoraV3DLL.zip", "eKalit.zip", "iKeyAPI.zip"};

// Distinct contents per file, so a stream written under the wrong name shows.
Bytes ContentOf(size_t index) {
  Bytes bytes(1000 + 777 * index);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>((i * (index + 3)) ^ (i >> 5));
  return bytes;
}

class PackPayloadTest : public ::testing::Test {
protected:
  void WriteSources(size_t count = 4) {
    for (size_t i = 0; i < count; ++i)
      folder_.Write(kSourceNames[i], ContentOf(i));
  }
  PayloadFileWriter Recorder() {
    return [this](const std::string &path, std::span<const uint8_t> bytes) {
      written_.push_back({path, Bytes(bytes.begin(), bytes.end())});
    };
  }

  TempFolder folder_;
  std::vector<Written> written_;
};

} // namespace

TEST_F(PackPayloadTest, PacksTheFourFilesInOrderIntoStreamsOfTheirContent) {
  WriteSources();
  PackPayload(folder_.WithSeparator(), folder_.WithSeparator(), Recorder());
  ASSERT_EQ(written_.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(written_[i].path, folder_.WithSeparator() + kStreamNames[i]);
    ASSERT_GE(written_[i].bytes.size(), 2u);
    EXPECT_EQ(written_[i].bytes[0], 0x78);
    EXPECT_EQ(written_[i].bytes[1], 0xDA);
    TByteBlock inflated = DecompressBuffer(written_[i].bytes);
    EXPECT_TRUE(Bytes(inflated.Data(), inflated.Data() + inflated.Size()) == ContentOf(i)) << kSourceNames[i];
  }
}

TEST_F(PackPayloadTest, WritesIntoTheTargetFolderWhenItDiffers) {
  WriteSources();
  PackPayload(folder_.WithSeparator(), "out/", Recorder());
  ASSERT_EQ(written_.size(), 4u);
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(written_[i].path, std::string("out/") + kStreamNames[i]);
}

TEST_F(PackPayloadTest, EmptyFileBecomesTheStreamOfNothing) {
  WriteSources();
  folder_.Write("eKalit.dll", {});
  PackPayload(folder_.WithSeparator(), folder_.WithSeparator(), Recorder());
  ASSERT_EQ(written_.size(), 4u);
  EXPECT_EQ(written_[2].bytes, (Bytes{0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
}

TEST_F(PackPayloadTest, MissingSourceFileEndsTheOperationAfterTheStreamsBeforeIt) {
  WriteSources();
  std::filesystem::remove(folder_.Path() / "eKalit.dll");
  try {
    PackPayload(folder_.WithSeparator(), folder_.WithSeparator(), Recorder());
    ADD_FAILURE() << "no error raised";
  } catch (const EFOpenError &error) {
    EXPECT_NE(error.Message().find("eKalit.dll"), std::string::npos) << error.Message();
  }
  ASSERT_EQ(written_.size(), 2u);
  EXPECT_EQ(written_[1].path, folder_.WithSeparator() + "KelvoraV3DLL.zip");
}

TEST_F(PackPayloadTest, FailedWriteEndsTheOperation) {
  WriteSources();
  int calls = 0;
  auto failingWriter = [&](const std::string &path, std::span<const uint8_t>) {
    ++calls;
    throw EFCreateError(path, "Access is denied");
  };
  EXPECT_THROW(PackPayload(folder_.WithSeparator(), folder_.WithSeparator(), failingWriter), EFCreateError);
  EXPECT_EQ(calls, 1);
}
