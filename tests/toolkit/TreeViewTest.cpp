// The tree view over a SysTreeView32 window: nodes kept on our side and in the window alike (also
// across a new window), selection and expansion events, sorting, deletion and label editing; image lists.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

std::string WindowItemText(HWND tree, HTREEITEM item) {
  wchar_t buffer[128] = {};
  TVITEMW info{};
  info.mask = TVIF_TEXT | TVIF_HANDLE;
  info.hItem = item;
  info.pszText = buffer;
  info.cchTextMax = 128;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
  return Narrow(buffer);
}

// The texts of the children of item (the top level for TVI_ROOT) as the window holds them.
std::vector<std::string> WindowLevel(HWND tree, HTREEITEM parent) {
  std::vector<std::string> texts;
  auto child = reinterpret_cast<HTREEITEM>(SendMessageW(
      tree, TVM_GETNEXTITEM, parent == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
  for (; child; child = reinterpret_cast<HTREEITEM>(
                    SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
    texts.push_back(WindowItemText(tree, child));
  return texts;
}

class TreeViewTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 300, 300);
    tree = TComponent::Create<TTreeView>(form);
    tree->SetParent(form);
    tree->SetBounds(5, 5, 250, 250);
  }
  void TearDown() override { form->Free(); }
  TForm *form = nullptr;
  TTreeView *tree = nullptr;
};

TEST_F(TreeViewTest, NodesAddedBeforeAndAfterTheWindowExistAppearInOrder) {
  TTreeNodes &items = tree->Items();
  TTreeNode *desktop = items.Add(nullptr, "Рабочий стол");
  TTreeNode *c = items.AddChild(desktop, "C:");
  items.AddChild(desktop, "E:");
  items.Insert(c, "A:");
  form->Show();
  HWND window = tree->Handle();
  EXPECT_EQ(WindowLevel(window, TVI_ROOT), std::vector<std::string>{"Рабочий стол"});
  EXPECT_EQ(WindowLevel(window, desktop->ItemId()), (std::vector<std::string>{"A:", "C:", "E:"}));
  TTreeNode *first = items.AddChildFirst(desktop, "0");
  items.Add(c, "Z:");
  c->SetText("C: (system)");
  EXPECT_EQ(WindowLevel(window, desktop->ItemId()), (std::vector<std::string>{"0", "A:", "C: (system)", "E:", "Z:"}));
  EXPECT_EQ(items.Count(), 6);
  EXPECT_EQ(items.Item(1), first);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(c->Level(), 1);
  EXPECT_EQ(SendMessageW(window, TVM_GETCOUNT, 0, 0), 6);

  tree->SetReadOnly(true); // a new window: the nodes come back
  EXPECT_NE(tree->Handle(), window);
  EXPECT_EQ(WindowLevel(tree->Handle(), desktop->ItemId()).size(), 5u);
}

TEST_F(TreeViewTest, SelectionExpansionAndDeletionRaiseTheirEvents) {
  TTreeNodes &items = tree->Items();
  TTreeNode *root = items.Add(nullptr, "root");
  TTreeNode *lazy = items.AddChild(root, "lazy");
  lazy->SetHasChildren(true);
  form->Show();
  std::vector<std::string> events;
  tree->OnChange = [&](TObject *, TTreeNode *node) { events.push_back("change " + node->Text()); };
  tree->OnExpanding = [&](TObject *, TTreeNode *node, bool &allow) {
    events.push_back("expanding " + node->Text());
    allow = node != lazy || !node->Data();
    if (node == lazy && allow) tree->Items().AddChild(node, "loaded");
  };
  tree->OnDeletion = [&](TObject *, TTreeNode *node) { events.push_back("delete " + node->Text()); };
  root->Expand();
  EXPECT_TRUE(root->Expanded());
  lazy->SetSelected(true);
  EXPECT_EQ(tree->Selected(), lazy);
  lazy->Expand();
  EXPECT_EQ(lazy->Count(), 1);
  root->Delete();
  EXPECT_EQ(items.Count(), 0);
  // Deleting the selected node moves the window's selection to its parent.
  EXPECT_EQ(events, (std::vector<std::string>{"expanding root", "change lazy", "expanding lazy", "delete loaded",
                                              "delete lazy", "change root", "delete root"}));

  TTreeNode *vetoed = items.Add(nullptr, "vetoed");
  int marker = 1;
  vetoed->SetData(&marker);
  TTreeNode *child = items.AddChild(vetoed, "child");
  (void)child;
  tree->OnExpanding = [&](TObject *, TTreeNode *, bool &allow) { allow = false; };
  vetoed->Expand();
  EXPECT_FALSE(vetoed->Expanded());
}

TEST_F(TreeViewTest, CustomSortOrdersOurNodesAndTheWindowAlike) {
  TTreeNodes &items = tree->Items();
  for (const char *name : {"b", "D", "a", "c"})
    items.Add(nullptr, name);
  form->Show();
  tree->CustomSort([](TTreeNode *a, TTreeNode *b) { return text::CompareText(a->Text(), b->Text()); });
  EXPECT_EQ(WindowLevel(tree->Handle(), TVI_ROOT), (std::vector<std::string>{"a", "b", "c", "D"}));
  EXPECT_EQ(items.Root(3)->Text(), "D");
  EXPECT_EQ(items.GetFirstNode()->Text(), "a");
}

TEST_F(TreeViewTest, LabelEditsReachOnEditedWhichMayChangeTheText) {
  TTreeNode *node = tree->Items().Add(nullptr, "Новая папка");
  form->Show();
  tree->OnEdited = [](TObject *, TTreeNode *, std::string &text) { text += " (1)"; };
  ASSERT_TRUE(node->EditText());
  EXPECT_TRUE(node->IsEditing());
  HWND edit = reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, L"Документы");
  node->EndEdit(false);
  EXPECT_FALSE(node->IsEditing());
  EXPECT_EQ(node->Text(), "Документы (1)");
  EXPECT_EQ(WindowItemText(tree->Handle(), node->ItemId()), "Документы (1)");

  ASSERT_TRUE(node->EditText());
  SetWindowTextW(reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0)), L"x");
  node->EndEdit(true); // cancelled: the text stays
  EXPECT_EQ(node->Text(), "Документы (1)");
  tree->SetReadOnly(true);
  EXPECT_FALSE(node->EditText());
}

TEST_F(TreeViewTest, ColoursAndOverlaysChangedAfterCreationReachTheWindow) {
  auto *images = TComponent::Create<TImageList>(form);
  images->CreateSize(16, 16);
  images->AddIcon(LoadIconW(nullptr, IDI_APPLICATION));
  images->AddIcon(LoadIconW(nullptr, IDI_WARNING));
  EXPECT_TRUE(images->Overlay(1, 0));
  tree->SetImages(images);
  TTreeNode *node = tree->Items().Add(nullptr, "Общая папка");
  form->Show();
  HWND window = tree->Handle();
  auto overlay = [&] {
    return SendMessageW(window, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node->ItemId()), TVIS_OVERLAYMASK);
  };
  EXPECT_EQ(overlay(), 0);
  node->SetOverlayIndex(0); // the first overlay, as the shell's shared mark
  EXPECT_EQ(overlay(), INDEXTOOVERLAYMASK(1));
  node->SetOverlayIndex(-1);
  EXPECT_EQ(overlay(), 0);

  tree->SetColor(RGBColor(10, 20, 30));
  tree->Font().SetColor(RGBColor(200, 100, 50));
  EXPECT_EQ(SendMessageW(window, TVM_GETBKCOLOR, 0, 0), RGB(10, 20, 30));
  EXPECT_EQ(SendMessageW(window, TVM_GETTEXTCOLOR, 0, 0), RGB(200, 100, 50));
}

TEST(ImageList, ASharedListIsUsedButNeverFreed) {
  HIMAGELIST shared = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  ImageList_AddIcon(shared, LoadIconW(nullptr, IDI_WARNING));
  {
    TImageList list(nullptr);
    list.SetHandle(shared, true);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Count(), 1);
    list.SetBkColor(clNone);
    EXPECT_EQ(list.BkColor(), clNone);
    TBitmap target;
    target.SetSize(16, 16);
    list.Draw(target.Canvas(), 0, 0, 0);
  }
  EXPECT_EQ(ImageList_GetImageCount(shared), 1); // still alive
  ImageList_Destroy(shared);

  TImageList own(nullptr);
  own.CreateSize(32, 32);
  EXPECT_EQ(own.AddIcon(LoadIconW(nullptr, IDI_ERROR)), 0);
  EXPECT_FALSE(own.ShareImages());
}

} // namespace
