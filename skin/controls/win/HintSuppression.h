#pragma once
// The application's hints switched off while a skinned button is held down, so none pops up over the
// press, and switched back on when the press ends in any way (release, focus or capture lost, the button
// freed). One press at a time holds them: the setting saved is the program's own.

class TsHintSuppression {
public:
  TsHintSuppression() = default;
  ~TsHintSuppression() { End(); }
  TsHintSuppression(const TsHintSuppression &) = delete;
  TsHintSuppression &operator=(const TsHintSuppression &) = delete;

  // Saves the application's hint setting and switches hints off, unless a press holds them off already.
  void Begin();
  // Gives back the setting this one saved; nothing when it saved none.
  void End();

private:
  bool holding_ = false;
};
