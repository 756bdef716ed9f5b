// ZR::Doc::ZRSetting: one analysis setting, addressed by its number, with its text form.
#include "document/ZRSetting.h"

namespace ZR::Doc {

QOR::String ZRSetting::ToText(bool) const { return QOR::String(L"?"); }

void ZRSetting::FromText(const QOR::String&, bool) {}

bool ZRSetting::CopyFrom(const ZRSetting&) { return false; }

}  // namespace ZR::Doc
