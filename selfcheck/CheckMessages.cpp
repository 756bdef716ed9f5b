// The enumerator checks' explanations, numbers written in decimal without grouping.
#include "selfcheck/CheckMessages.h"

#include "base/OStringStream.h"

namespace SelfCheck {

QOR::String BounceMessage(int32_t stored, int32_t bounced) {
  QOR::Automation::ClassicOStringStream text;
  text << L"Bounce gave different result! Peak was at " << stored << L", but bouncing put it at " << bounced << L".";
  return text.str();
}

QOR::String PositionMessage(int32_t position, int32_t expected, int32_t ticks) {
  QOR::Automation::ClassicOStringStream text;
  text << L"Incorrect position after SetSources (" << position << L" instead of " << expected << L" in record with "
       << ticks << L" ticks).";
  return text.str();
}

QOR::String EventDiffersMessage(uint32_t index, const std::wstring& online, const std::wstring& offline) {
  QOR::Automation::ClassicOStringStream text;
  text << L"Event #" << index << L" differs between online and offline (" << online.c_str() << L" vs "
       << offline.c_str() << L").";
  return text.str();
}

QOR::String EventCountMessage(uint32_t offline, int32_t online) {
  QOR::Automation::ClassicOStringStream text;
  text << L"Offline found " << offline << L" events, but online found " << online << L" events!";
  return text.str();
}

}  // namespace SelfCheck
