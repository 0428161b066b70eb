// The object model: ownership and destruction order, names, free notifications, collections and
// string lists; the prompt rules and the scripted stand-in.
#include <gtest/gtest.h>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Prompts.h"
#include "toolkit/testing/ScriptedPrompts.h"

namespace {

// Records what it is told and when it is freed.
class TProbe : public TComponent {
  TK_CLASS(TProbe)
public:
  TProbe(TComponent *owner, std::vector<std::string> *log) : TComponent(owner), log_(log) {}
  ~TProbe() override {
    ReleaseLinks();
    if (log_) log_->push_back("free " + Name());
  }
  void Notification(TComponent *component, TOperation operation) override {
    if (log_ && operation == TOperation::opRemove) log_->push_back(Name() + " told " + component->Name() + " goes");
    if (operation == TOperation::opRemove && component == watched) watched = nullptr;
  }
  TComponent *watched = nullptr;

private:
  std::vector<std::string> *log_;
};

const TMetaClass &TProbe::StaticMetaClass() { return DefineClass<TProbe, TComponent>("TProbe"); }

TEST(Component, OwnedComponentsAreFreedLastToFirstWhileMarkedDestroying) {
  std::vector<std::string> log;
  std::vector<bool> destroyingSeen;
  {
    auto owner = std::make_unique<TProbe>(nullptr, &log);
    owner->SetName("owner");
    auto *a = TComponent::Create<TProbe>(owner.get(), &log);
    a->SetName("a");
    auto *b = TComponent::Create<TProbe>(owner.get(), &log);
    b->SetName("b");
    auto *grandchild = TComponent::Create<TProbe>(a, &log);
    grandchild->SetName("g");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(owner->FindComponent("A"), a);
    EXPECT_EQ(owner->FindComponent("g"), nullptr); // only the direct ones
    owner->Destroying();
    destroyingSeen = {a->IsDestroying(), b->IsDestroying(), grandchild->IsDestroying()};
    log.clear();
  }
  EXPECT_EQ(destroyingSeen, (std::vector<bool>{true, true, true}));
  // b goes first (last created); a frees its own g before it goes; the owner and the siblings hear of
  // each removal.
  EXPECT_EQ(log, (std::vector<std::string>{"owner told b goes", "a told b goes", "free b", "owner told a goes",
                                           "a told g goes", "free g", "free a", "free owner"}));
}

TEST(Component, FreeNotificationTellsTheWatcherAndNamesStayUnique) {
  std::vector<std::string> log;
  TProbe owner(nullptr, &log);
  auto watcher = std::make_unique<TProbe>(nullptr, &log);
  watcher->SetName("watcher");
  auto *target = TComponent::Create<TProbe>(&owner, &log);
  target->SetName("target");
  watcher->watched = target;
  target->FreeNotification(watcher.get());
  target->Free();
  EXPECT_EQ(watcher->watched, nullptr);
  EXPECT_EQ(owner.ComponentCount(), 0);

  auto *x = TComponent::Create<TProbe>(&owner, nullptr);
  x->SetName("Same");
  auto *y = TComponent::Create<TProbe>(&owner, nullptr);
  EXPECT_THROW(y->SetName("same"), Exception);
  EXPECT_EQ(y->Name(), "");
  EXPECT_THROW(TComponent::Create<TProbe>(nullptr, nullptr), std::invalid_argument);
  EXPECT_THROW(watcher->Free(), std::logic_error); // not owned: its holder frees it
}

TEST(Component, ClassNamesAndTypeTests) {
  TProbe probe(nullptr, nullptr);
  EXPECT_EQ(probe.ClassName(), "TProbe");
  EXPECT_TRUE(probe.InheritsFrom(TComponent::StaticMetaClass()));
  EXPECT_FALSE(probe.InheritsFrom(TCollection::StaticMetaClass()));
  TStringList list;
  EXPECT_THROW(probe.Assign(list), EConvertError);
}

class TNamedItem : public TCollectionItem {
  TK_CLASS(TNamedItem)
public:
  explicit TNamedItem(TCollection *c) : TCollectionItem(c) {}
  std::string name;
  void Assign(const TPersistent &source) override { name = dynamic_cast<const TNamedItem &>(source).name; }
};

const TMetaClass &TNamedItem::StaticMetaClass() { return DefineClass<TNamedItem, TCollectionItem>("TNamedItem"); }

TEST(Collection, AddDeleteAndAssignCopyItems) {
  TCollection a(TNamedItem::StaticMetaClass()), b(TNamedItem::StaticMetaClass());
  a.Add<TNamedItem>()->name = "x";
  a.Add<TNamedItem>()->name = "y";
  EXPECT_EQ(a.Items(1)->Index(), 1);
  b.Assign(a);
  a.Delete(0);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(static_cast<TNamedItem *>(b.Items(0))->name, "x");
  EXPECT_EQ(b.Items(0)->Collection(), &b);
  EXPECT_EQ(a.Count(), 1);
  EXPECT_THROW(a.Delete(5), std::out_of_range);
  TCollection plain(TCollection::StaticMetaClass());
  EXPECT_THROW(plain.Add(), Exception); // TCollection is no item class
}

TEST(StringList, TextSplitsOnEveryLineBreakAndSortIgnoresCase) {
  TStringList list;
  list.SetText("b\r\nA\rc\nd");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"b", "A", "c", "d"}));
  EXPECT_EQ(list.Text(), "b\r\nA\r\nc\r\nd\r\n");
  EXPECT_EQ(list.IndexOf("a"), 1);
  list.Sort();
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"A", "b", "c", "d"}));
  list.Insert(4, "e");
  list.Delete(0);
  EXPECT_EQ(list[0], "b");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_THROW(list.Get(4), std::out_of_range);
  EXPECT_THROW(list.Insert(6, "x"), std::out_of_range);
  TStringList copy;
  copy.Assign(list);
  EXPECT_EQ(copy.ToVector(), list.ToVector());
}

TEST(Prompts, ErrorReportAddsAFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(ErrorReportText("Invalid filename"), "Invalid filename.");
  EXPECT_EQ(ErrorReportText("Готово!"), "Готово!");              // '!' sorts before '.'
  EXPECT_EQ(ErrorReportText("I/O error 183"), "I/O error 183."); // digits sort after '.'
  EXPECT_EQ(ErrorReportText("Done."), "Done.");
  EXPECT_EQ(ErrorReportText("(x)"), "(x)");    // ')' sorts before '.'
  EXPECT_EQ(ErrorReportText("путь"), "путь."); // Cyrillic sorts after '.'
  EXPECT_EQ(ErrorReportText(""), "");
}

TEST(Prompts, EscapeAndDefaultButtons) {
  EXPECT_EQ(EscapeResult(mbYes | mbNo | mbCancel), mrCancel);
  EXPECT_EQ(EscapeResult(mbYes | mbNo), mrNo);
  EXPECT_EQ(EscapeResult(mbOK), mrOk);
  EXPECT_EQ(EscapeResult(mbYes), mrCancel);
  EXPECT_EQ(DefaultResult(mbYes | mbNo | mbOK), mrOk);
  EXPECT_EQ(DefaultResult(mbYes | mbNo), mrYes);
  EXPECT_EQ(DefaultResult(mbNo | mbCancel), mrNone);
}

TEST(ScriptedPrompts, AnswersInOrderRecordsAndRestoresThePreviousStandIn) {
  EXPECT_EQ(CurrentPromptStandIn(), nullptr);
  {
    ScriptedPrompts outer;
    {
      ScriptedPrompts prompts;
      prompts.Answer(mrYes).Answer(mrNo);
      EXPECT_EQ(CurrentPromptStandIn()->MessageDlg("Продолжить?", TMsgDlgType::mtConfirmation, mbYes | mbNo), mrYes);
      EXPECT_EQ(CurrentPromptStandIn()->MessageDlg("Again", TMsgDlgType::mtError, mbYes | mbNo), mrNo);
      EXPECT_EQ(CurrentPromptStandIn()->MessageDlg("Unscripted", TMsgDlgType::mtWarning, mbOK | mbCancel), mrCancel);
      CurrentPromptStandIn()->ErrorReport("Disk full.", "Title");
      EXPECT_EQ(prompts.Unanswered(), 1);
      ASSERT_EQ(prompts.Asked().size(), 4u);
      EXPECT_EQ(prompts.Asked()[0].text, "Продолжить?");
      EXPECT_EQ(prompts.Asked()[1].type, TMsgDlgType::mtError);
      EXPECT_EQ(prompts.Asked()[2].buttons, TMsgDlgButtons{mbOK | mbCancel});
      EXPECT_EQ(prompts.ErrorReports(), std::vector<std::string>{"Disk full."});
      EXPECT_EQ(prompts.Asked()[3].caption, "Title");
    }
    EXPECT_EQ(CurrentPromptStandIn(), &outer);
  }
  EXPECT_EQ(CurrentPromptStandIn(), nullptr);
}

} // namespace
