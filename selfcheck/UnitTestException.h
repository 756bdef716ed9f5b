// UnitTestException: the failure of one self-check case, carrying the text the host shows.
#pragma once

#include "base/String.h"

#include <exception>

namespace SelfCheck {

// Thrown by a check that finds a fault; copies share the text. what() carries nothing: the
// text is read with Text().
class UnitTestException : public std::exception {
 public:
  explicit UnitTestException(const QOR::String& text) noexcept : mText(text) {}
  const QOR::String& Text() const noexcept { return mText; }

 private:
  QOR::String mText;
};

}  // namespace SelfCheck
