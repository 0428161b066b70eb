#include <gtest/gtest.h>
#include <zlib.h>

#include "TestSkins.h"
#include "skin/model/SkinErrors.h"
#include "skin/model/SkinPack.h"

namespace {

std::vector<uint8_t> Zlib(const std::vector<uint8_t> &data, int level = 9) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(size);
  EXPECT_EQ(compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), level), Z_OK);
  out.resize(size);
  return out;
}

// A zlib stream cut into several deflate blocks by sync flushes, with an empty final block.
std::vector<uint8_t> ZlibInPieces(const std::vector<uint8_t> &data) {
  z_stream z{};
  EXPECT_EQ(deflateInit(&z, 6), Z_OK);
  std::vector<uint8_t> out(data.size() * 2 + 256);
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  size_t half = data.size() / 2;
  z.next_in = const_cast<Bytef *>(data.data());
  z.avail_in = static_cast<uInt>(half);
  EXPECT_EQ(deflate(&z, Z_SYNC_FLUSH), Z_OK);
  z.avail_in = static_cast<uInt>(data.size() - half);
  EXPECT_EQ(deflate(&z, Z_FULL_FLUSH), Z_OK);
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

void PutInt(std::vector<uint8_t> &out, int32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

// Pack bytes written field by field, so tests can put anything into them.
struct RawPack {
  std::vector<uint8_t> bytes{'T', 'E', 'z', 'f'};
  explicit RawPack(int32_t count) { PutInt(bytes, count); }
  RawPack &Member(const std::string &name, int32_t size, const std::vector<uint8_t> &stream) {
    PutInt(bytes, static_cast<int32_t>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
    PutInt(bytes, size);
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    return *this;
  }
};

std::vector<uint8_t> Text(size_t size, char seed) {
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i)
    data[i] = static_cast<uint8_t>(seed + (i * 7 + i / 13) % 23);
  return data;
}

TacSkinConvertor Unpacked(const std::vector<uint8_t> &pack) {
  TacSkinConvertor unpacker;
  unpacker.Unpack(pack);
  return unpacker;
}

} // namespace

TEST(SkinPackLayout, OptionsApartFromPicturesInPackOrder) {
  auto options = Bytes("[GLOBALINFO]\r\nVERSION=5.41\r\n");
  auto pack = PackOf({{"Options.dat", options},
                      {"ButtonHuge.bmp", Text(300, 'a')},
                      {"Master.bmp", Text(500, 'b')},
                      {"Wood.jpg", Text(40, 'c')}});
  TacSkinConvertor unpacker = Unpacked(pack);
  ASSERT_TRUE(unpacker.Options());
  EXPECT_EQ(*unpacker.Options(), options);
  ASSERT_EQ(unpacker.ImageCount(), 3);
  const auto &images = unpacker.Images();
  EXPECT_EQ(images[0].Name, "ButtonHuge.bmp");
  EXPECT_EQ(images[1].Name, "Master.bmp");
  EXPECT_EQ(images[2].Name, "Wood.jpg");
  EXPECT_TRUE(images[1].IsBitmap);
  EXPECT_FALSE(images[2].IsBitmap);
  EXPECT_EQ(images[1].Data, Text(500, 'b'));
  // Pictures are found by the name as the options file writes it, in capitals.
  EXPECT_EQ(unpacker.FindImage("MASTER.BMP"), &images[1]);
  EXPECT_EQ(unpacker.FindImage("Master.bmp"), nullptr);
}

TEST(SkinPackLayout, OptionsMemberFoundWhateverItsCase) {
  for (std::string name : {"OPTIONS.DAT", "options.dat", "OpTiOnS.dAt"}) {
    TacSkinConvertor unpacker = Unpacked(PackOf({{"a.bmp", Text(10, 'x')}, {name, Bytes("[X]")}}));
    ASSERT_TRUE(unpacker.Options()) << name;
    EXPECT_EQ(*unpacker.Options(), Bytes("[X]"));
    EXPECT_EQ(unpacker.ImageCount(), 1);
  }
  TacSkinConvertor without = Unpacked(PackOf({{"Options.da", Bytes("x")}}));
  EXPECT_FALSE(without.Options());
  EXPECT_EQ(without.ImageCount(), 1);
}

TEST(SkinPackLayout, MagicComparedWithCase) {
  auto pack = PackOf({{"Options.dat", Bytes("[X]")}});
  for (std::string magic : {"TEZF", "tezf", "TEzF", "TEz\0"}) {
    auto bad = pack;
    std::copy(magic.begin(), magic.begin() + 4, bad.begin());
    TacSkinConvertor unpacker;
    try {
      unpacker.Unpack(bad);
      FAIL() << "accepted magic " << magic;
    } catch (const ENotSkinPack &e) {
      EXPECT_EQ(e.Message(), "Loaded data is not packed Tessora file");
    }
    EXPECT_FALSE(unpacker.Options());
  }
  TacSkinConvertor unpacker;
  EXPECT_THROW(unpacker.Unpack(std::vector<uint8_t>{'T', 'E', 'z'}), ENotSkinPack);
}

TEST(SkinPackLayout, EachMemberEndsExactlyWhereItsZlibStreamEnds) {
  auto first = Text(5000, 'a'), second = Text(70000, 'b'), third = Text(3, 'c');
  auto s1 = ZlibInPieces(first), s2 = Zlib(second, 1), s3 = Zlib(third, 0);
  RawPack raw(3);
  raw.Member("Options.dat", 5000, s1).Member("Two.bmp", 70000, s2).Member("Three.bmp", 3, s3);
  TacSkinConvertor unpacker = Unpacked(raw.bytes);
  ASSERT_EQ(unpacker.Members().size(), 3u);
  const auto &m = unpacker.Members();
  // "Options.dat": magic, count, name length, 11 name bytes and the size come first.
  EXPECT_EQ(m[0].HeaderOffset, 8);
  EXPECT_EQ(m[0].DataOffset, 27);
  EXPECT_EQ(m[0].EndOffset, 27 + static_cast<int64_t>(s1.size()));
  EXPECT_EQ(m[1].HeaderOffset, m[0].EndOffset);
  EXPECT_EQ(m[1].EndOffset - m[1].DataOffset, static_cast<int64_t>(s2.size()));
  EXPECT_EQ(m[2].EndOffset, static_cast<int64_t>(raw.bytes.size()));
  EXPECT_EQ(*unpacker.Options(), first);
  EXPECT_EQ(unpacker.Images()[0].Data, second);
  EXPECT_EQ(unpacker.Images()[1].Data, third);
}

TEST(SkinPackLayout, BytesAfterTheLastMemberAreNeverRead) {
  auto pack = PackOf({{"Options.dat", Bytes("[A]")}, {"b.bmp", Text(100, 'q')}});
  size_t end = pack.size();
  pack.insert(pack.end(), {0xFF, 0xFF, 0xFF, 0x7F, 'g', 'a', 'r', 'b', 'a', 'g', 'e'});
  TacSkinConvertor unpacker = Unpacked(pack);
  EXPECT_EQ(unpacker.ImageCount(), 1);
  EXPECT_EQ(unpacker.Members().back().EndOffset, static_cast<int64_t>(end));
}

TEST(SkinPackLayout, EmptyMemberIsAnEmptyStream) {
  TacSkinConvertor unpacker = Unpacked(PackOf({{"Options.dat", Bytes("[A]")}, {"empty.bmp", {}}}));
  ASSERT_EQ(unpacker.ImageCount(), 1);
  EXPECT_TRUE(unpacker.Images()[0].Data.empty());
}

TEST(SkinPackLayout, LoadFromFileDoesNothingWithoutAFile) {
  TempFolder folder;
  TacSkinConvertor unpacker = Unpacked(PackOf({{"Options.dat", Bytes("[A]")}}));
  EXPECT_FALSE(unpacker.LoadFromFile(folder.Text() + "missing.tez"));
  EXPECT_TRUE(unpacker.Options()); // untouched
  folder.Write("skin.tez", PackOf({{"x.bmp", Bytes("12")}, {"Options.dat", Bytes("[B]")}}));
  EXPECT_TRUE(unpacker.LoadFromFile(folder.Text() + "skin.tez"));
  EXPECT_EQ(*unpacker.Options(), Bytes("[B]"));
}

TEST(SkinPackCorruption, MemberShorterOrLongerThanItsSize) {
  auto data = Text(1000, 'a');
  TacSkinConvertor unpacker;
  EXPECT_THROW(unpacker.Unpack(RawPack(1).Member("Options.dat", 1001, Zlib(data)).bytes), ESkinPackError);
  EXPECT_THROW(unpacker.Unpack(RawPack(1).Member("Options.dat", 999, Zlib(data)).bytes), ESkinPackError);
  EXPECT_FALSE(unpacker.Options());
}

TEST(SkinPackCorruption, BadCountsAndLengthsAreRejectedBeforeAllocating) {
  auto stream = Zlib(Bytes("[A]"));
  TacSkinConvertor unpacker;
  EXPECT_THROW(unpacker.Unpack(RawPack(-1).bytes), ESkinPackError);
  EXPECT_THROW(unpacker.Unpack(RawPack(0x7FFFFFFF).Member("Options.dat", 3, stream).bytes), ESkinPackError);
  EXPECT_THROW(unpacker.Unpack(RawPack(2).Member("Options.dat", 3, stream).bytes), ESkinPackError);
  EXPECT_THROW(unpacker.Unpack(RawPack(1).Member("Options.dat", -3, stream).bytes), ESkinPackError);
  EXPECT_THROW(unpacker.Unpack(RawPack(1).Member("Options.dat", 0x7FFFFFFF, stream).bytes), ESkinPackError);
  EXPECT_THROW(unpacker.Unpack(RawPack(1).Member("", 3, stream).bytes), ESkinPackError);
  RawPack longName(1);
  PutInt(longName.bytes, 0x7FFFFFF0);
  longName.bytes.insert(longName.bytes.end(), stream.begin(), stream.end());
  EXPECT_THROW(unpacker.Unpack(longName.bytes), ESkinPackError);
}

TEST(SkinPackCorruption, TwoOptionsMembersDoNotFitTheImageCount) {
  auto stream = Zlib(Bytes("[A]"));
  TacSkinConvertor unpacker;
  EXPECT_THROW(unpacker.Unpack(RawPack(2).Member("Options.dat", 3, stream).Member("OPTIONS.DAT", 3, stream).bytes),
               ESkinPackError);
  EXPECT_FALSE(unpacker.Options());
}

TEST(SkinPackCorruption, EveryTruncationAndEveryFlippedByteFailsCleanly) {
  auto pack = PackOf({{"Options.dat", Text(400, 'o')}, {"Master.bmp", Text(900, 'm')}});
  for (size_t cut = 0; cut < pack.size(); ++cut) {
    TacSkinConvertor unpacker;
    std::vector<uint8_t> part(pack.begin(), pack.begin() + static_cast<ptrdiff_t>(cut));
    EXPECT_THROW(unpacker.Unpack(part), ESkinPackError) << "cut at " << cut;
    EXPECT_EQ(unpacker.ImageCount(), 0);
  }
  for (size_t at = 4; at < pack.size(); ++at) {
    auto bad = pack;
    bad[at] ^= 0x5A;
    TacSkinConvertor unpacker;
    try {
      unpacker.Unpack(bad);
    } catch (const ESkinPackError &) {
      EXPECT_FALSE(unpacker.Options());
    }
  }
}

TEST(SkinPackWriting, NamesAreCheckedAndKeptInWindows1251) {
  EXPECT_THROW(WriteSkinPack({{"a.bmp", {}}, {"A.BMP", {}}}), ESkinPackError);
  EXPECT_THROW(WriteSkinPack({{"", {}}}), ESkinPackError);
  EXPECT_THROW(WriteSkinPack({{"\xE4\xB8\xAD.bmp", {}}}), ESkinPackError); // a CJK character
  auto pack = WriteSkinPack({{"Фон.bmp", Bytes("xyz")}});
  EXPECT_EQ(pack[8], 7); // seven single-byte characters
  EXPECT_EQ(pack[12], 0xD4);
  TacSkinConvertor unpacker = Unpacked(pack);
  EXPECT_EQ(unpacker.Images()[0].Name, "Фон.bmp");
}
