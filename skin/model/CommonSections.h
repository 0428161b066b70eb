#pragma once
// Common sections: INI lines that an application adds to every skin it loads. Sections the skin already has
// are left to the skin; the others become records of their own, and their picture files (relative to the
// skin path, never pack members) are added too.

#include <string>
#include <vector>

#include "skin/model/SkinOptions.h"
#include "skin/model/SkinProblems.h"
#include "skin/model/SkinRecords.h"

// The lines as the manager keeps them: every blank removed from each line that is not a comment.
std::vector<std::string> RemoveBlanksFromCommonSections(const std::vector<std::string> &lines);
SkinOptions ReadCommonSections(const std::vector<std::string> &lines);

void MergeCommonGeneralData(const SkinOptions &common, TsGeneralDataArray &records, const SkinProblemHandler &problems);
// Master bitmap rectangles in the older "#" form (only when the skin has a master bitmap) and ".BMP" files.
void AddCommonImages(const SkinOptions &common, const std::string &skinPath, bool hasMasterBitmap, TsMaskArray &masks,
                     const SkinProblemHandler &problems);
// ".JPG" and ".JPEG" files, always as patterns whatever their size.
void AddCommonPatterns(const SkinOptions &common, const std::string &skinPath, TsPatternArray &patterns,
                       const SkinProblemHandler &problems);
