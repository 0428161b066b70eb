// The folder edit on a real form: its text area ends left of its folder button through skin changes, font
// changes and keys, and Enter and Escape reach the form's default and cancel buttons.

#include "skin/controls/win/DirectoryEdit.h"
#include "skin/controls/win/SkinControls.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"

namespace {

class TFolderForm : public TForm {
  TK_CLASS(TFolderForm)
public:
  explicit TFolderForm(TComponent *owner) : TForm(owner) {}
  TsDirectoryEdit *sDirectoryEdit1 = nullptr;
  TButton *Ok = nullptr;
  TButton *Cancel = nullptr;
};

const TMetaClass &TFolderForm::StaticMetaClass() {
  return DefineClass<TFolderForm, TForm>("TFolderForm", [](TClassBuilder<TFolderForm> &c) {
    c.Field("sDirectoryEdit1", &TFolderForm::sDirectoryEdit1);
    c.Field("Ok", &TFolderForm::Ok);
    c.Field("Cancel", &TFolderForm::Cancel);
  });
}

constexpr const char *FolderLayout = R"(object Form1 : TFolderForm {
  ClientWidth = 360
  ClientHeight = 80
  object sDirectoryEdit1 : TsDirectoryEdit {
    Left = 8
    Top = 8
    Width = 345
    Height = 21
    TabOrder = 0
    SkinData.SkinSection = "EDIT"
  }
  object Ok : TButton {
    Left = 8
    Top = 40
    Caption = "OK"
    Default = true
    TabOrder = 1
  }
  object Cancel : TButton {
    Left = 100
    Top = 40
    Caption = "Cancel"
    Cancel = true
    TabOrder = 2
  }
})";

class DirectoryEditTest : public SkinnedFormsTest {
protected:
  static void SetUpTestSuite() {
    SkinnedFormsTest::SetUpTestSuite();
    InitializeSkinControls();
    RegisterComponentClass(TFolderForm::StaticMetaClass());
  }
  TFolderForm *FolderForm() {
    auto *form = TComponent::Create<TFolderForm>(Application);
    form->ReadLayout(FolderLayout);
    form->SetBounds(40, 40, form->Width(), form->Height());
    form->Show();
    forms.push_back(form);
    return form;
  }
};

// Where the edit's text area ends, against the client width less the button.
void ExpectTextLeftOfTheButton(TsDirectoryEdit &edit) {
  RECT text{}, client{};
  SendMessageW(edit.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  GetClientRect(edit.Handle(), &client);
  EXPECT_EQ(edit.Button().Width(), 22); // the open-folder glyph's 20-pixel frame and a pixel each side
  EXPECT_LE(text.right, client.right - 22);
  EXPECT_GT(text.right, client.right - 40);
}

TEST_F(DirectoryEditTest, TheTextAreaEndsLeftOfTheButtonThroughSkinFontAndKeyChanges) {
  TsDirectoryEdit &edit = *FolderForm()->sDirectoryEdit1;
  ExpectTextLeftOfTheButton(edit);
  LoadSkin();
  ExpectTextLeftOfTheButton(edit);
  edit.Font().SetHeight(-16);
  ExpectTextLeftOfTheButton(edit);
  edit.SetFocus();
  for (char key : std::string("PATH"))
    PostMessageW(edit.Handle(), WM_CHAR, key, 0);
  Pump(50);
  EXPECT_EQ(edit.Text(), "PATH");
  ExpectTextLeftOfTheButton(edit);
  manager->SetActive(false);
  ExpectTextLeftOfTheButton(edit);
  manager->SetActive(true);
  ExpectTextLeftOfTheButton(edit);
}

TEST_F(DirectoryEditTest, EnterAndEscapeReachTheFormsDefaultAndCancelButtons) {
  LoadSkin();
  TFolderForm *form = FolderForm();
  int ok = 0, cancel = 0;
  form->Ok->OnClick = [&](TObject *) { ++ok; };
  form->Cancel->OnClick = [&](TObject *) { ++cancel; };
  TsDirectoryEdit &edit = *form->sDirectoryEdit1;
  edit.SetText("C:\\Data");
  edit.SetFocus();
  PostMessageW(edit.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(edit.Handle(), WM_CHAR, '\r', 1);
  Pump(50);
  EXPECT_EQ(ok, 1);
  PostMessageW(edit.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump(50);
  EXPECT_EQ(cancel, 1);
  EXPECT_EQ(edit.Text(), "C:\\Data"); // no line break entered
}

} // namespace
