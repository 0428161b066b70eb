#pragma once
// Kinds, buttons and results of the modal message dialog; shared by the toolkit and the logic that asks.

#include <cstdint>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : uint32_t {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
};
using TMsgDlgButtons = uint32_t; // a set of TMsgDlgBtn

// Modal results, the codes the message dialog returns.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrYes = 6,
  mrNo = 7,
};
