// ZR::Doc::ZRSettingIO<T, K>: a numeric setting (int, long or double) with inclusive bounds.
#include "document/ZRSettingIO.h"

#include "base/ExactDoubleText.h"

#include <locale>
#include <sstream>
#include <type_traits>

namespace ZR::Doc {

static std::locale NumberLocale(bool classic) {
  return classic ? std::locale::classic() : std::locale();
}

template <typename T, int32_t K>
QOR::String ZRSettingIO<T, K>::ToText(bool classic) const {
  if constexpr (std::is_floating_point_v<T>) {
    if (classic) return QOR::String(QOR::ExactDoubleText(mValue).c_str());
  }
  std::wostringstream out;
  out.imbue(NumberLocale(classic));
  out << mValue;
  return QOR::String(out.str().c_str());
}

template <typename T, int32_t K>
void ZRSettingIO<T, K>::FromText(const QOR::String& text, bool classic) {
  std::wistringstream in(text.GetText());
  in.imbue(NumberLocale(classic));
  // Extraction zeroes its target when it fails: read into a copy.
  T read = mValue;
  in >> read;
  if (!in.fail()) mValue = read;
}

template class ZRSettingIO<int, kSettingInt>;
template class ZRSettingIO<long, kSettingLong>;
template class ZRSettingIO<double, kSettingDouble>;

}  // namespace ZR::Doc
