// ZR::Doc::ZRSetting_Bool: an on/off setting, written "t" or "f".
#include "document/ZRSetting_Bool.h"

namespace ZR::Doc {

QOR::String ZRSetting_Bool::ToText(bool) const { return QOR::String(mValue != 0 ? L"t" : L"f"); }

void ZRSetting_Bool::FromText(const QOR::String& text, bool) {
  mValue = text.GetText()[0] == L't' ? 1 : 0;
}

}  // namespace ZR::Doc
