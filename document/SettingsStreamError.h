// ZR::Doc::XSettingsStream: why a settings stream was refused, kept for the words the document
// gives its host.
#pragma once

#include "base/String.h"
#include "base/XQOR.h"

#include <cstdint>

namespace ZR::Doc {

enum class StreamFault {
  kDamaged,            // cut short, a marker or count no writer makes
  kUnknownVersion,     // number: the version
  kRefusedValue,       // number: the setting id; text: what the stream holds; words: why refused
  kImpossibleChannel,  // number: the group's channel
  kLostSetting,        // number: a setting a group lacks; other: an id this build does not know
  kRepeatedSetting,    // number: the setting id found twice in one group
  kRepeatedGroup,      // number: the channel of two groups
  kNoAnalysisGroup,    // number: the analysis channel (setting 2001), which no group has
  kColumnLayout,       // the Table View's column order or widths
  kColumnFormats       // the Table View's significant figures
};

// STG_E_DOCFILECORRUPT, with what was wrong.
class XSettingsStream final : public XQOR {
 public:
  explicit XSettingsStream(StreamFault fault, int32_t number = 0, const QOR::String& text = QOR::String(),
                           const QOR::String& words = QOR::String(), int32_t other = 0)
      : XQOR(STG_E_DOCFILECORRUPT), mFault(fault), mNumber(number), mOther(other), mText(text), mWords(words) {}

  StreamFault Fault() const noexcept { return mFault; }
  int32_t Number() const noexcept { return mNumber; }
  int32_t Other() const noexcept { return mOther; }
  const QOR::String& Text() const noexcept { return mText; }
  const QOR::String& Words() const noexcept { return mWords; }

 private:
  StreamFault mFault;
  int32_t mNumber;
  int32_t mOther;
  QOR::String mText;
  QOR::String mWords;
};

}  // namespace ZR::Doc
