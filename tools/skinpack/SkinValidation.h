#pragma once
// Checking a skin for its author: the options file and every picture reference, with each problem named by
// its section and key. A load would stop at the first error and step over missing pictures; this goes on.

#include <string>
#include <vector>

struct SkinProblem {
  std::string Section; // empty for problems of the skin as a whole (an unreadable pack)
  std::string Key;
  std::string Message;
};

// A ".tez" pack file or a folder skin (a folder holding "Options.dat").
std::vector<SkinProblem> ValidateSkin(const std::string &path);

// "[SECTION] KEY: message", or the message alone.
std::string DescribeProblem(const SkinProblem &problem);
