#pragma once
// How skin reading tells of problems. A load stops at the first error and steps over missing pictures;
// validation wants every error and every missing picture, each with its section and key.

#include <functional>
#include <string>

#include "skin/model/SkinErrors.h"

struct SkinProblemHandler {
  // An error that ends a load. Unset: the error is raised as it is.
  std::function<void(const ESkinError &)> OnError;
  // Something a load steps over, such as a picture that is not there. Unset: ignored.
  std::function<void(const std::string &section, const std::string &key, const std::string &problem)> OnMissing;

  // Runs one reading step; with OnError set, its skin error is reported and reading goes on.
  template <typename Step> void Guard(Step &&step) const {
    if (!OnError) {
      step();
      return;
    }
    try {
      step();
    } catch (const ESkinError &error) {
      OnError(error);
    }
  }
  void Missing(const std::string &section, const std::string &key, const std::string &problem) const {
    if (OnMissing) OnMissing(section, key, problem);
  }
};
