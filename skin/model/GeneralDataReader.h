#pragma once
// The general data records and the skin-wide values read from an options file. Most keys are inherited
// through "PARENTCLASS": a value that is absent (or -1 for numbers, "?" for texts) is taken from the parent
// section, and so on up the chain, else from the default.

#include <optional>
#include <string_view>

#include "skin/model/SkinOptions.h"
#include "skin/model/SkinProblems.h"
#include "skin/model/SkinRecords.h"

constexpr std::string_view GlobalInfoSection = "GLOBALINFO";
// Chains of parents are followed this deep at most (real skins go three or four levels).
constexpr size_t MaxParentChain = 32;

// The skin-wide values of "GLOBALINFO"; SkinPath and Loaded are left as they are. A strict integer that is
// no integer is an error.
void ReadSkinWideValues(const SkinOptions &options, TsSkinData &data, const SkinProblemHandler &problems);

// One record per section, in file order. Gradient data that does not parse is an error.
TsGeneralDataArray ReadGeneralData(const SkinOptions &options, const SkinProblemHandler &problems);

// The record of a common section that the application adds to every skin: its own values where given,
// else those of the skin record whose upper-cased name equals its upper-cased "PARENTCLASS", else defaults.
TsGeneralData ReadCommonGeneralData(const SkinOptionsSection &section, const TsGeneralDataArray &skinRecords,
                                    const SkinProblemHandler &problems);

// Parses gradient data into list unless it is the single blank that means none; bad data is an error of
// [section] key.
void ParseSectionGradient(const std::string &section, std::string_view key, const std::string &data, TsGradArray &list,
                          const SkinProblemHandler &problems);
// Bevel numbers outside 0 to 4 count as none.
TsControlBevel BevelFromNumber(int value);
