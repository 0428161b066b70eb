#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/base/Stream.h"

TEST(MemoryStream, WriteSeekReadAndShortReads) {
  TMemoryStream s;
  s.WriteBuffer("hello", 5);
  EXPECT_EQ(s.Size(), 5);
  s.Seek(-2, SeekOrigin::End);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, sizeof buf), 2u);
  EXPECT_STREQ(buf, "lo");
  s.SetPosition(4);
  EXPECT_THROW(s.ReadBuffer(buf, 2), EReadError);
  s.SetPosition(7); // writing past the end grows the stream
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 8);
  EXPECT_EQ(s.Memory()[5], 0);
}

TEST(MemoryStream, ClearAndCopyFrom) {
  TMemoryStream a, b;
  a.WriteBuffer("abcdef", 6);
  b.CopyFrom(a, 0);
  EXPECT_EQ(std::memcmp(b.Memory(), "abcdef", 6), 0);
  a.SetPosition(2);
  TMemoryStream c;
  c.CopyFrom(a, 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char *>(c.Memory()), 3), "cde");
  EXPECT_THROW(c.CopyFrom(a, 5), EReadError);
  a.Clear();
  EXPECT_EQ(a.Size(), 0);
  EXPECT_EQ(a.Position(), 0);
}

TEST(ReadFile, MissingFileRaisesOpenError) {
  try {
    ReadFileBytes("no/such/file.bin");
    FAIL();
  } catch (const EFOpenError &e) {
    EXPECT_EQ(std::string(e.Message()).rfind("Cannot open file \"no/such/file.bin\". ", 0), 0u);
  }
}
