#include "skin/adapters/win/MainWnd.h"

#include <uxtheme.h>

#include <utility>

#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/win/DibStorage.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/SystemInfo.h"

namespace {

// An answer put into lParam counts when the receiver was performed on directly, the result when it was sent.
bool Answered(const TMessage &answer) { return answer.LParam == 1 || answer.Result == 1; }

} // namespace

TacMainWnd::TacMainWnd(Key, const TacAdapterSetup &setup)
    : window_(setup.Window), data_(setup.SkinData), keepsTheme_(setup.Section == "DIALOG"),
      dialogMode_(setup.DialogMode) {
  if (!data_) {
    // The adapter's own data stands for no control: its host is a component of its own.
    ownHost_ = std::make_unique<TComponent>(nullptr);
    ownData_ = std::make_unique<TsCommonData>(*ownHost_, true);
    ownData_->SetSkinManager(setup.Manager);
    data_ = ownData_.get();
  }
  if (data_->SkinSection().empty() && !setup.Section.empty()) data_->SetSkinSection(setup.Section);
}

TacMainWnd::~TacMainWnd() {
  Detach();
  *alive_ = false;
}

void TacMainWnd::Start() {
  if (!keepsTheme_) RemoveWindowTheme(window_);
  if (TWinControl *control = TWinControl::FindControl(window_))
    hook_.Attach(control->WindowHooks(), [this](TMessage &m, const TWindowHookNext &next) { Route(m, &next); });
  else
    subclass_ = std::make_unique<WindowSubclass>(window_, [this](TMessage &m) {
      Route(m, nullptr);
      return true;
    });
  SetPropW(window_, AdapterProperty, this);
  Started();
}

void TacMainWnd::Detach() {
  const bool hooked = hook_.Attached() || subclass_;
  hook_.Detach();
  subclass_.reset();
  if (!hooked || !IsWindow(window_)) return;
  if (GetPropW(window_, AdapterProperty) == this) RemovePropW(window_, AdapterProperty);
  if (!keepsTheme_ && !WindowGoing()) SetWindowTheme(window_, nullptr, nullptr);
}

bool TacMainWnd::WindowGoing() const {
  if (destroyed_ || !IsWindow(window_)) return true;
  const TWinControl *control = TWinControl::FindControl(window_);
  return control && control->IsDestroying();
}

TacMainWnd *TacMainWnd::Of(HWND window) {
  return window ? static_cast<TacMainWnd *>(GetPropW(window, AdapterProperty)) : nullptr;
}

void TacMainWnd::Route(TMessage &m, const TWindowHookNext *next) {
  const std::shared_ptr<bool> alive = alive_;
  const TWindowHookNext *outer = std::exchange(next_, next);
  WndProc(m);
  if (*alive) next_ = outer;
}

bool TacMainWnd::CallPrevious(TMessage &m) {
  const std::shared_ptr<bool> alive = alive_;
  if (next_)
    (*next_)(m);
  else if (subclass_ && subclass_->Attached())
    m.Result = subclass_->CallPrevious(m);
  return *alive;
}

bool TacMainWnd::SkinActive() const {
  const TsSkinManager *manager = Manager();
  return manager && manager->Active() && manager->Skin();
}

bool TacMainWnd::FromOwnManager(const TMessage &m) const {
  return m.LParam != 0 && reinterpret_cast<TsSkinManager *>(m.LParam) == Manager();
}

bool TacMainWnd::PaintSuspended() const {
  if (data_->PaintSuspended()) return true;
  if (data_->HostControl()) return false; // the skin data asked the parent already
  const HWND parent = GetParent(window_);
  return parent && !data_->ProviderForm && Answered(SendSkinCommand(parent, AC_QUERYBGCHANGED));
}

bool TacMainWnd::PaintWaits() {
  data_->PaintLocked = PaintSuspended();
  return data_->PaintLocked;
}

void TacMainWnd::CopyCacheTo(HDC dc) const {
  const Image24 &cache = data_->CacheImage;
  if (cache.Empty()) return;
  const ImageSurface surface(cache);
  BitBlt(dc, 0, 0, cache.Width(), cache.Height(), surface.Handle(), 0, 0, SRCCOPY);
}

POINT TacMainWnd::ClientOffset() const {
  RECT window;
  GetWindowRect(window_, &window);
  POINT client{0, 0};
  ClientToScreen(window_, &client);
  return POINT{client.x - window.left, client.y - window.top};
}

TPoint TacMainWnd::PositionInParent() const {
  RECT r;
  GetWindowRect(window_, &r);
  if (const HWND parent = GetParent(window_)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 1);
  return TPoint{r.left, r.top};
}

TsParentLink TacMainWnd::ParentLink() const { return ParentLinkOfWindow(GetParent(window_)); }

TsItemData TacMainWnd::ItemData() const {
  TsItemData data = data_->ItemData();
  if (!data_->HostControl()) data.Parent = ParentLink();
  return data;
}

void TacMainWnd::AnswerCache(TMessage &m) const {
  if (data_->CacheImage.Empty() || !m.LParam) return;
  const POINT offset = ClientOffset();
  *reinterpret_cast<TCacheInfo *>(m.LParam) = TCacheInfo{&data_->CacheImage, offset.x, offset.y, true};
  m.Result = 1;
}

bool TacMainWnd::AnswerQuery(TMessage &m, LPARAM value) {
  m.LParam = value;
  m.Result = value;
  return true;
}

bool TacMainWnd::HandleSkinCommand(TMessage &m) {
  const uint16_t command = SkinCommandOf(m.WParam);
  if (command != AC_SKINCLEARED && !SkinActive()) return false;
  switch (command) {
  case AC_SKINSET:
  case AC_SKINREFRESH:
    if (!FromOwnManager(m)) return false;
    // A control that shares its skin data takes the new skin itself and repaints as it sees fit.
    if (!OwnsSkinData()) return false;
    data_->ResolveIndexes();
    data_->PaintLocked = command == AC_SKINSET;
    if (command == AC_SKINREFRESH)
      RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    return true;
  case AC_SKINCLEARED:
    if (!FromOwnManager(m)) return false;
    CleanUp();
    if (!OwnsSkinData()) return false;
    data_->SectionIdx = data_->BorderImageIdx = data_->PatternIdx = data_->HotPatternIdx = -1;
    data_->PaintLocked = true;
    data_->CacheImage = Image24();
    return true;
  // On a form the frame provider answers for its cache and background; its adapters pass these on.
  case AC_QUERYCACHE:
    if (data_->ProviderForm) return false;
    AnswerCache(m);
    return true;
  case AC_PARENTREPAINT:
    if (PaintSuspended()) {
      data_->PaintLocked = false;
      RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    return OwnsSkinData();
  case AC_QUERYSKINNED: return AnswerQuery(m, 1);
  case AC_QUERYBGCHANGED:
    if (data_->ProviderForm) return false;
    return AnswerQuery(m, data_->BackgroundStale || PaintSuspended());
  case AC_PREPAREPAINT: PrepareCache(); return true;
  case AC_QUERYAPPLICATION: m.Result = reinterpret_cast<LRESULT>(static_cast<TApplication *>(Application)); return true;
  default: return false;
  }
}

void TacMainWnd::WndProc(TMessage &m) {
  switch (m.Msg) {
  case WM_DESTROY:
  case WM_NCDESTROY:
    if (!CallPrevious(m)) return;
    destroyed_ = true;
    Detach();
    return;
  case WM_UPDATEUISTATE: return;
  case WM_SIZE: data_->BackgroundStale = true; break;
  case WM_MOUSEMOVE:
    if (IsWindowEnabled(window_) && DefaultManager()) SetWindowUnderMouse(window_);
    break;
  case WM_PRINT: {
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    const DcStateScope state(dc);
    m.Result = SendMessageW(window_, WM_PAINT, m.WParam, 0);
    return;
  }
  case SM_TESSORACMD:
    if (HandleSkinCommand(m)) return;
    break;
  }
  CallPrevious(m);
}
