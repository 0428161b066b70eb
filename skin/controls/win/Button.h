#pragma once
// The skinned push button: a system BUTTON drawn by its owner. Its whole face (background, border,
// caption, focus mark) comes from its skin section, is drawn into its cache image and reaches the screen
// in one copy; its window takes the shape of its border picture. It keeps the behaviour of a push button
// (click, default and cancel roles, the space key) and shows a normal, an active and a pressed look,
// fading between them where the skin and the settings allow. Without an active skin it is the system's
// push button.
//
// The face follows the window's own pushed state: whenever the system pushes or lets go of the button
// (mouse, space key, dragging off and back on), the new look is shown at once, before the click.

#include <optional>

#include "skin/controls/ButtonFace.h"
#include "skin/controls/win/HintSuppression.h"
#include "skin/engine/FadeSteps.h"
#include "skin/engine/win/CommonData.h"
#include "skin/engine/win/Fades.h"
#include "toolkit/ui/StdCtrls.h"

class TsButton : public TButton {
  TK_CLASS(TsButton)
public:
  explicit TsButton(TComponent *owner);
  ~TsButton() override;

  // Section "BUTTON" unless the layout names another.
  TsCommonData SkinData{*this, true};
  // How a disabled button is drawn: TsDisabledKind bits.
  unsigned DisabledKind() const { return SkinData.DisabledKind; }
  void SetDisabledKind(unsigned kinds);
  // The changes of look that may fade (TacAnimatEvent bits); aeGlobalDef follows the default manager's
  // AnimEffects.Buttons.Events.
  TacAnimatEvents AnimatEvents = 1u << aeGlobalDef;
  // Held down by the program: the pressed face shows, and a left press only clicks.
  bool Down() const { return down_; }
  void SetDown(bool down);
  // How far the focus mark lies outside the caption rectangle, in pixels.
  int FocusMargin = 1;
  // The focused button shows the focus mark where its section asks for one.
  bool ShowFocus = true;
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);

  // A change of look is fading in.
  bool Fading() const { return fade_ != nullptr; }

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage &message) override;
  void SetButtonStyle(bool isDefault) override;
  void Loaded() override;

private:
  // A change of look waiting for the window's pushed state to change: a press, a release, a key let go.
  struct LookChange {
    std::optional<TacBtnEvent> event; // none: shown at once
  };
  // What the face in the cache shows; a paint renders the face anew only when this changed or the cache
  // was marked stale.
  struct Face {
    int State = -1;
    TSize Size;
    TPoint Position;
    std::string Caption;
    bool Enabled = false;
    bool Focused = false;
    bool operator==(const Face &) const = default;
  };

  bool Skinned() const;
  void Normal(TMessage &message);
  bool Pushed();
  int StateIndex();
  Face CurrentFace();
  void ShowLook(LookChange change);
  // Runs the message through the normal handling with a change of look waiting: it is shown when the
  // window's pushed state changes on the way, else afterwards.
  void NormalWithLook(TMessage &message, LookChange change);
  void Press(TMessage &message, int button);
  void Release(TMessage &message, int button);
  // A release during a running fade: the fully pressed face for a moment before the release look.
  void HoldPressedFace();
  void FocusGained(TMessage &message);
  void FocusLost(TMessage &message);
  void SkinCommand(TMessage &message);
  bool Announcement(TMessage &message);
  bool SkinQuery(TMessage &message);
  void ForgetSkin();

  void Paint(HDC given);
  void RenderCache();
  void DrawCaption(Image24 &cache, const TsItemData &data, int state);
  void ApplyShape(bool redraw);
  void MakeOwnerDrawn();

  bool down_ = false;
  bool wordWrap_ = true;
  // Set by a left press or a space press on the focused button; cleared on release and focus loss.
  bool pressed_ = false;
  // Mouse buttons pressed on the button whose release is still to come (bit per button).
  unsigned clickFlags_ = 0;
  // The form last marked this button as the one Enter presses.
  bool defaultLook_ = false;
  // The next paint renders the face anew and reshapes the window.
  bool regionChanged_ = true;
  Face renderedFace_;
  // The window's first shape is applied with a redraw.
  bool firstShape_ = true;
  // The shape the last rendering built and that is not the window's yet, and the window's shape.
  std::optional<TsWindowShape> pendingShape_;
  std::optional<TsWindowShape> appliedShape_;
  bool showPressed_ = false;
  bool paintingLent_ = false;
  std::optional<LookChange> pendingLook_;
  TsHintSuppression hints_;
  TsFadeSlot fade_;
};
