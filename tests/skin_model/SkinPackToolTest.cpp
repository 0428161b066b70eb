#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestSkins.h"
#include "skin/model/SkinPack.h"
#include "skin/model/SkinPaths.h"
#include "tools/skinpack/SkinPackTool.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path &path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

struct ToolRun {
  int code;
  std::string out;
  std::string err;
};

ToolRun SkinPack(std::vector<std::string> args) {
  std::ostringstream out, err;
  int code = RunSkinPack(args, out, err);
  return {code, out.str(), err.str()};
}

const char *GoodOptions = "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nBICONCLOSE=@0000@0000@0030@0010@3@0\r\n"
                          "[EDIT]\r\nBORDERSMASK=!FRAME.BMP!3!1!0\r\n[COMBOBOX]\r\nPARENTCLASS=EDIT\r\n";

void WriteGoodSkin(const TempFolder &folder, const std::string &name) {
  folder.Write(name + "/Options.dat", Bytes(GoodOptions));
  folder.Write(name + "/Master.bmp", BitmapFile(30, 30));
  folder.Write(name + "/Frame.bmp", BitmapFile(18, 12));
}

} // namespace

TEST(SkinPackTool, PackAndUnpackRoundTrip) {
  TempFolder folder;
  WriteGoodSkin(folder, "skin");
  folder.Write("skin/.hidden", Bytes("not packed"));
  std::string pack = folder.Text() + "skin.tez";
  ToolRun packed = SkinPack({"pack", folder.Text() + "skin", pack});
  ASSERT_EQ(packed.code, 0) << packed.err;

  TacSkinConvertor unpacker;
  ASSERT_TRUE(unpacker.LoadFromFile(pack));
  ASSERT_EQ(unpacker.Members().size(), 3u);
  EXPECT_EQ(unpacker.Members()[0].Name, "Options.dat");
  EXPECT_EQ(unpacker.Members()[1].Name, "Frame.bmp");
  EXPECT_EQ(unpacker.Members()[2].Name, "Master.bmp");

  ToolRun unpacked = SkinPack({"unpack", pack, folder.Text() + "out"});
  ASSERT_EQ(unpacked.code, 0) << unpacked.err;
  for (const char *name : {"Options.dat", "Master.bmp", "Frame.bmp"})
    EXPECT_EQ(ReadAll(folder.Path() / "out" / name), ReadAll(folder.Path() / "skin" / name)) << name;
  EXPECT_FALSE(fs::exists(folder.Path() / "out" / ".hidden"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "out"), fs::directory_iterator()), 3);
}

TEST(SkinPackTool, FailedPackLeavesTheOldOutput) {
  TempFolder folder;
  folder.Write("skin/Master.bmp", BitmapFile(4, 4));
  folder.Write("old.tez", Bytes("previous"));
  ToolRun run = SkinPack({"pack", folder.Text() + "skin", folder.Text() + "old.tez"});
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("Options.dat"), std::string::npos);
  EXPECT_EQ(ReadAll(folder.Path() / "old.tez"), Bytes("previous"));
  folder.Write("skin/Options.dat", Bytes("[A]"));
  folder.Write("skin/sub/x.bmp", Bytes("x"));
  EXPECT_EQ(SkinPack({"pack", folder.Text() + "skin", folder.Text() + "old.tez"}).code, 2);
  EXPECT_EQ(ReadAll(folder.Path() / "old.tez"), Bytes("previous"));
}

TEST(SkinPackTool, UnpackRefusesNamesThatLeaveTheFolder) {
  for (std::string name : {"../evil.bmp", "sub/evil.bmp", "..\\evil.bmp", "c:evil.bmp", "CON.bmp", "lpt1", "dot."}) {
    TempFolder folder;
    folder.Write("bad.tez", PackOf({{"Options.dat", Bytes("[A]")}, {name, Bytes("x")}}));
    ToolRun run = SkinPack({"unpack", folder.Text() + "bad.tez", folder.Text() + "out"});
    EXPECT_EQ(run.code, 2) << name;
    EXPECT_FALSE(fs::exists(folder.Path() / "out")) << name;
    EXPECT_FALSE(fs::exists(folder.Path() / "evil.bmp")) << name;
  }
}

TEST(SkinPackTool, UnpackOfABrokenPackWritesNothing) {
  TempFolder folder;
  auto pack = PackOf({{"Options.dat", Bytes("[NEW]")}, {"Master.bmp", BitmapFile(8, 8)}});
  pack.resize(pack.size() - 3);
  folder.Write("bad.tez", pack);
  folder.Write("out/Options.dat", Bytes("[OLD]"));
  EXPECT_EQ(SkinPack({"unpack", folder.Text() + "bad.tez", folder.Text() + "out"}).code, 2);
  EXPECT_EQ(ReadAll(folder.Path() / "out" / "Options.dat"), Bytes("[OLD]"));
  EXPECT_FALSE(fs::exists(folder.Path() / "out" / "Master.bmp"));
}

TEST(SkinPackTool, ListShowsEveryMemberWithItsPlace) {
  TempFolder folder;
  auto pack = PackOf({{"Options.dat", Bytes("[A]")}, {"Master.bmp", BitmapFile(8, 8)}});
  pack.push_back(0);
  folder.Write("s.tez", pack);
  ToolRun run = SkinPack({"list", folder.Text() + "s.tez"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("       8"), std::string::npos); // the first member's header
  EXPECT_NE(run.out.find("Options.dat"), std::string::npos);
  EXPECT_NE(run.out.find("Master.bmp"), std::string::npos);
  EXPECT_NE(run.out.find("2 members, " + std::to_string(pack.size()) + " bytes (1 unread bytes at the end)"),
            std::string::npos);
}

TEST(SkinPackTool, ValidateAcceptsAGoodSkinInBothForms) {
  TempFolder folder;
  WriteGoodSkin(folder, "good");
  ToolRun folderRun = SkinPack({"validate", folder.Text() + "good"});
  EXPECT_EQ(folderRun.code, 0) << folderRun.out << folderRun.err;
  ASSERT_EQ(SkinPack({"pack", folder.Text() + "good", folder.Text() + "good.tez"}).code, 0);
  ToolRun packRun = SkinPack({"validate", folder.Text() + "good.tez"});
  EXPECT_EQ(packRun.code, 0) << packRun.out;
  EXPECT_NE(packRun.out.find("no problems"), std::string::npos);
}

TEST(SkinPackTool, ValidateReportsEveryProblemWithItsPlace) {
  TempFolder folder;
  WriteGoodSkin(folder, "bad");
  folder.Write("bad/Options.dat", Bytes("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nSHADOW1BLUR=soft\r\n"
                                        "BICONCLOSE=@0000@00x0@0030@0010@3@0\r\n"
                                        "[EDIT]\r\nBORDERSMASK=!GONE.BMP!3!1!0\r\nPATTERN=!frame.bmp!1!0!1\r\n"
                                        "HOTPATTERN=!FRAME.BMP!1!0!1\r\nGRADIENTDATA=1;x;3;4;5\r\n"
                                        "[COMBOBOX]\r\nPARENTCLASS=EDITS\r\n"
                                        "[LOOPA]\r\nPARENTCLASS=LOOPB\r\n[LOOPB]\r\nPARENTCLASS=LOOPA\r\n"));
  folder.Write("bad/Frame.bmp", Bytes("BM broken"));
  ToolRun run = SkinPack({"validate", folder.Text() + "bad"});
  EXPECT_EQ(run.code, 1);
  for (const char *expected :
       {"[GLOBALINFO] SHADOW1BLUR:", "[GLOBALINFO] BICONCLOSE:", "[EDIT] BORDERSMASK: picture \"GONE.BMP\" not found",
        "[EDIT] PATTERN:", "[EDIT] HOTPATTERN: picture \"FRAME.BMP\"",
        "[EDIT] GRADIENTDATA:", "[COMBOBOX] PARENTCLASS: names no section \"EDITS\"",
        "[LOOPA] PARENTCLASS:", "[LOOPB] PARENTCLASS:", "9 problems"})
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
}

TEST(SkinPackTool, ValidateReportsAnUnreadablePack) {
  TempFolder folder;
  folder.Write("x.tez", Bytes("TEZF...."));
  ToolRun run = SkinPack({"validate", folder.Text() + "x.tez"});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.out.find("Loaded data is not packed Tessora file"), std::string::npos);
  EXPECT_EQ(SkinPack({"validate", folder.Text() + "missing"}).code, 1);
}

TEST(SkinPackTool, UsageForUnknownCommandsAndWrongArgumentCounts) {
  EXPECT_EQ(SkinPack({}).code, 2);
  EXPECT_EQ(SkinPack({"render"}).code, 2);
  ToolRun run = SkinPack({"pack", "only-one"});
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("skinpack validate SKIN"), std::string::npos);
}
