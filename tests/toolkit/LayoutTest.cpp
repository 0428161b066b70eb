// The stored layout: parsing the text and reading it into components through their meta classes.
#include <gtest/gtest.h>

#include "toolkit/base/MetaClass.h"

namespace {

// Every call that reading makes, in order, shared by the test classes below.
std::vector<std::string> g_log;

class TThingItem : public TCollectionItem {
  TK_CLASS(TThingItem)
public:
  explicit TThingItem(TCollection *collection) : TCollectionItem(collection) {}
  std::string name;
  std::vector<uint8_t> data;
  void Assign(const TPersistent &source) override {
    auto &other = dynamic_cast<const TThingItem &>(source);
    name = other.name;
    data = other.data;
  }
};

const TMetaClass &TThingItem::StaticMetaClass() {
  return DefineClass<TThingItem, TCollectionItem>("TThingItem", [](TClassBuilder<TThingItem> &c) {
    c.String("Name", [](TThingItem &i, const std::string &v) { i.name = v; });
    c.Binary("Data", [](TThingItem &i, std::span<const uint8_t> v) { i.data.assign(v.begin(), v.end()); });
  });
}

class TFontLike : public TPersistent {
  TK_CLASS(TFontLike)
public:
  std::string name = "Default";
  int height = -11;
};

const TMetaClass &TFontLike::StaticMetaClass() {
  return DefineClass<TFontLike, TPersistent>("TFontLike", [](TClassBuilder<TFontLike> &c) {
    c.String("Name", [](TFontLike &f, const std::string &v) { f.name = v; });
    c.Int("Height", [](TFontLike &f, int v) { f.height = v; });
  });
}

enum class TShape { shRound, shSquare };
enum TSide : uint32_t { sdLeft = 1, sdTop = 2, sdRight = 4 };

class TThing : public TComponent {
  TK_CLASS(TThing)
public:
  explicit TThing(TComponent *owner) : TComponent(owner), items(TThingItem::StaticMetaClass(), this) {}
  int count = 7;
  std::string caption = "default";
  bool flag = true;
  TColor color = clBtnFace;
  TShape shape = TShape::shRound;
  uint32_t sides = sdLeft;
  TStringList lines;
  TCollection items;
  TFontLike font;
  std::vector<uint8_t> blob;
  TThing *buddy = nullptr;
  TComponent *parentSeen = nullptr;
  bool readingWhenSet = false;
  std::function<void(TObject *)> OnPing;

  void SetCount(int v) {
    count = v;
    readingWhenSet = IsReading();
    g_log.push_back(Name() + ".Count");
  }
  void SetCaption(const std::string &v) {
    caption = v;
    g_log.push_back(Name() + ".Caption");
  }
  void SetParentComponent(TComponent *parent) override { parentSeen = parent; }
  void Loaded() override {
    TComponent::Loaded();
    auto *root = Owner();
    g_log.push_back(Name() + ".Loaded" + (root && root->IsLoading() ? " (root loading)" : ""));
  }
};

const TMetaClass &TThing::StaticMetaClass() {
  return DefineClass<TThing, TComponent>("TThing", [](TClassBuilder<TThing> &c) {
    c.Int("Count", &TThing::SetCount);
    c.String("Caption", &TThing::SetCaption);
    c.Bool("Flag", [](TThing &t, bool v) { t.flag = v; });
    c.Color("Color", [](TThing &t, TColor v) { t.color = v; });
    c.Enum<TShape>("Shape", [](TThing &t, TShape v) { t.shape = v; },
                   {{"shRound", int(TShape::shRound)}, {"shSquare", int(TShape::shSquare)}});
    c.Set("Sides", [](TThing &t, uint32_t v) { t.sides = v; },
          {{"sdLeft", sdLeft}, {"sdTop", sdTop}, {"sdRight", sdRight}});
    c.Strings("Lines", [](TThing &t) { return &t.lines; });
    c.Collection("Items", [](TThing &t) { return &t.items; });
    c.Object("Font", [](TThing &t) { return &t.font; });
    c.Binary("Blob", [](TThing &t, std::span<const uint8_t> v) { t.blob.assign(v.begin(), v.end()); });
    c.Reference<TThing>("Buddy", [](TThing &t, TThing *v) { t.buddy = v; });
    c.Event("OnPing", &TThing::OnPing);
  });
}

class TRoot : public TComponent {
  TK_CLASS(TRoot)
public:
  explicit TRoot(TComponent *owner) : TComponent(owner) {}
  TThing *First = nullptr;
  TThing *Second = nullptr;
  int pings = 0;
  void Ping(TObject *) { ++pings; }
  void WrongSignature(int) {}
  void Loaded() override {
    TComponent::Loaded();
    g_log.push_back("root.Loaded");
  }
};

const TMetaClass &TRoot::StaticMetaClass() {
  return DefineClass<TRoot, TComponent>("TRoot", [](TClassBuilder<TRoot> &c) {
    c.Field("First", &TRoot::First);
    c.Field("Second", &TRoot::Second);
    c.Handler("Ping", &TRoot::Ping);
    c.Handler("WrongSignature", &TRoot::WrongSignature);
  });
}

class LayoutTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterComponentClass(TThing::StaticMetaClass());
    RegisterComponentClass(TRoot::StaticMetaClass());
    g_log.clear();
  }
  TRoot root{nullptr};
};

TEST_F(LayoutTest, EveryPropertyKindIsApplied) {
  LayoutReader::Read(root, R"(
    object Root1 : TRoot {
      Tag = -98
      object First : TThing {
        Count = -42
        Caption = "Установка \"q\"\r\\ok"
        Flag = false
        Color = 0xFF00000F
        Shape = shSquare
        Sides = [sdTop, sdRight]
        Lines = ("one", "два", "")
        Font.Name = "MS Sans Serif"   // nested path
        Font.Height = -13
        Blob = hex { 00 0a FF
                     7f }
        Items = collection {
          item { Name = "a" Data = hex { 01 02 } }
          item { Name = "b" }
        }
        Buddy = Second               // a forward reference
        OnPing = Ping
      }
      object Second : TThing {
        Color = clWindowText
        Sides = []
        Buddy = First
      }
    })");
  ASSERT_NE(root.First, nullptr);
  ASSERT_NE(root.Second, nullptr);
  EXPECT_EQ(root.Name(), "Root1");
  EXPECT_EQ(root.Tag(), -98);
  TThing &t = *root.First;
  EXPECT_EQ(t.count, -42);
  EXPECT_EQ(t.caption, "Установка \"q\"\r\\ok");
  EXPECT_FALSE(t.flag);
  EXPECT_EQ(static_cast<uint32_t>(t.color), 0xFF00000Fu);
  EXPECT_EQ(t.shape, TShape::shSquare);
  EXPECT_EQ(t.sides, uint32_t{sdTop | sdRight});
  EXPECT_EQ(t.lines.ToVector(), (std::vector<std::string>{"one", "два", ""}));
  EXPECT_EQ(t.font.name, "MS Sans Serif");
  EXPECT_EQ(t.font.height, -13);
  EXPECT_EQ(t.blob, (std::vector<uint8_t>{0x00, 0x0A, 0xFF, 0x7F}));
  ASSERT_EQ(t.items.Count(), 2);
  EXPECT_EQ(static_cast<TThingItem *>(t.items.Items(0))->data, (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(static_cast<TThingItem *>(t.items.Items(1))->name, "b");
  EXPECT_EQ(t.buddy, root.Second);
  EXPECT_EQ(root.Second->buddy, root.First);
  EXPECT_EQ(root.Second->color, clWindowText);
  EXPECT_EQ(root.Second->sides, 0u);
  ASSERT_TRUE(t.OnPing);
  t.OnPing(&t);
  EXPECT_EQ(root.pings, 1);
  EXPECT_EQ(t.parentSeen, &root);
}

TEST_F(LayoutTest, MissingPropertiesKeepTheirDefaults) {
  LayoutReader::Read(root, "object R : TRoot { object First : TThing { Caption = \"x\" } }");
  TThing &t = *root.First;
  EXPECT_EQ(t.count, 7);
  EXPECT_TRUE(t.flag);
  EXPECT_EQ(t.color, clBtnFace);
  EXPECT_EQ(t.sides, uint32_t{sdLeft});
  EXPECT_EQ(t.font.name, "Default");
  EXPECT_EQ(t.buddy, nullptr);
}

TEST_F(LayoutTest, SettersRunInStreamOrderWhileReadingAndLoadedRunsRootFirst) {
  LayoutReader::Read(root, R"(object R : TRoot {
    object First : TThing { Caption = "c" Count = 1 }
    object Second : TThing { Count = 2 Caption = "d" object Third : TThing { Count = 3 } }
  })");
  EXPECT_EQ(g_log,
            (std::vector<std::string>{"First.Caption", "First.Count", "Second.Count", "Second.Caption", "Third.Count",
                                      "root.Loaded", "First.Loaded", "Second.Loaded", "Third.Loaded"}));
  EXPECT_TRUE(root.First->readingWhenSet);
  EXPECT_FALSE(root.First->IsReading());
  EXPECT_FALSE(root.First->IsLoading());
  EXPECT_FALSE(root.IsLoading());
  // Components nest under their enclosing object but all belong to the root.
  auto *third = root.FindComponent<TThing>("third");
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->Owner(), &root);
  EXPECT_EQ(third->parentSeen, root.Second);
}

struct BadLayout {
  const char *text;
  int line;
  const char *fragment;
};

class LayoutErrorTest : public LayoutTest, public ::testing::WithParamInterface<BadLayout> {};

TEST_P(LayoutErrorTest, IsRejectedWithTheLineAndNothingStaysBehind) {
  const BadLayout &bad = GetParam();
  try {
    LayoutReader::Read(root, bad.text);
    FAIL() << "accepted: " << bad.text;
  } catch (const ELayoutError &e) {
    EXPECT_EQ(e.Line(), bad.line) << e.Message();
    EXPECT_NE(e.Message().find(bad.fragment), std::string::npos) << e.Message();
  }
  EXPECT_EQ(root.ComponentCount(), 0);
  EXPECT_FALSE(root.IsLoading());
  EXPECT_FALSE(root.IsReading());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutErrorTest,
    ::testing::Values(
        BadLayout{"object R : TOther { }", 1, "TOther"},
        BadLayout{"object R : TRoot {\n object A : TNoSuch { } }", 2, "TNoSuch"},
        BadLayout{"object R : TRoot {\n object A : TThing {\n Nope = 1 } }", 3, "Nope"},
        BadLayout{"object R : TRoot {\n object A : TThing {\n Count = \"1\" } }", 3, "number expected"},
        BadLayout{"object R : TRoot { object A : TThing { Count = 0x1FFFFFFFF } }", 1, "range"},
        BadLayout{"object R : TRoot { object A : TThing { Shape = shOval } }", 1, "shOval"},
        BadLayout{"object R : TRoot { object A : TThing { Sides = [sdBottom] } }", 1, "sdBottom"},
        BadLayout{"object R : TRoot { object A : TThing { Color = clNoSuch } }", 1, "clNoSuch"},
        BadLayout{"object R : TRoot { object A : TThing { Flag = maybe } }", 1, "maybe"},
        BadLayout{"object R : TRoot {\n object A : TThing {\n Buddy = Ghost } }", 3, "Ghost"},
        BadLayout{"object R : TRoot {\n object A : TThing {\n Buddy = R } }", 3, "R does not fit Buddy"},
        BadLayout{"object R : TRoot { object A : TThing { OnPing = Missing } }", 1, "Missing"},
        BadLayout{"object R : TRoot { object A : TThing { OnPing = WrongSignature } }", 1, "does not fit"},
        BadLayout{"object R : TRoot { object A : TThing { } object a : TThing { } }", 1, "already exists"},
        BadLayout{"object R : TRoot { object First : TRoot { } }", 1, "field First"},
        BadLayout{"object R : TRoot { object A : TThing { Font.Size = 3 } }", 1, "Size"},
        BadLayout{"object R : TRoot {\n object A : TThing { }\n Tag = 1 }", 3, "before the objects"},
        BadLayout{"object R : TRoot { Tag = 1", 1, "'}' expected"},
        BadLayout{"object R : TRoot {\n Name = \"open }", 2, "unterminated"},
        BadLayout{"object R : TRoot { Name = \"\\q\" }", 1, "escape"},
        BadLayout{"object R : TRoot { object A : TThing { Blob = hex { 0 } } }", 1, "odd number"},
        BadLayout{"object R : TRoot { object A : TThing { Blob = hex { zz } } }", 1, "hexadecimal"},
        BadLayout{"object R : TRoot { Tag = 12ab }", 1, "malformed"},
        BadLayout{"object R : TRoot { } object S : TRoot { }", 1, "after the root"}));

TEST(LayoutParser, CommentsKeywordsAndDeepNesting) {
  LayoutObject o = ParseLayout("\xEF\xBB\xBF// heading\nobject objects : TRoot { // tail\n objectName = -0x10 }");
  EXPECT_EQ(o.name, "objects");
  ASSERT_EQ(o.properties.size(), 1u);
  EXPECT_EQ(o.properties[0].path, "objectName");
  EXPECT_EQ(o.properties[0].value.integer, -16);
  EXPECT_EQ(o.properties[0].line, 3);

  std::string deep;
  for (int i = 0; i < 100; ++i)
    deep += "object A" + std::to_string(i) + " : TRoot {";
  deep += std::string(100, '}');
  EXPECT_THROW(ParseLayout(deep), ELayoutError);
}

} // namespace

namespace {

TEST_F(LayoutTest, DamagedLayoutsAreEitherReadOrRejectedCleanly) {
  const std::string valid = R"(object R : TRoot {
    object First : TThing { Count = 3 Caption = "a\"b" Lines = ("x", "y") Blob = hex { 0102 }
      Items = collection { item { Name = "n" } } Buddy = Second Sides = [sdTop] Font.Name = "f" }
    object Second : TThing { Color = clRed OnPing = Ping } })";
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  const std::string alphabet = "{}[]()=.,\"\\ \n/x0-";
  for (int round = 0; round < 3000; ++round) {
    std::string text = valid;
    for (int edits = 1 + next() % 3; edits > 0; --edits) {
      size_t at = next() % text.size();
      switch (next() % 3) {
      case 0: text.erase(at, 1 + next() % 4); break;
      case 1: text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), alphabet[next() % alphabet.size()]); break;
      default: text[at] = alphabet[next() % alphabet.size()]; break;
      }
      if (text.empty()) text.push_back('x');
    }
    TRoot target(nullptr);
    try {
      LayoutReader::Read(target, text);
    } catch (const ELayoutError &) {
      EXPECT_EQ(target.ComponentCount(), 0) << text;
    }
  }
}

} // namespace
