// NoThousandsSep: the number punctuation of user-visible numbers: the user's decimal separator and
// never any digit grouping.
#pragma once

#include <locale>
#include <string>

namespace QOR {

template <class CharT>
class NoThousandsSep final : public std::numpunct<CharT> {
 public:
  NoThousandsSep(CharT decimalPoint, CharT thousandsSep, std::size_t refs = 0)
      : std::numpunct<CharT>(refs), mDecimalPoint(decimalPoint), mThousandsSep(thousandsSep) {}

 protected:
  CharT do_decimal_point() const override { return mDecimalPoint; }
  CharT do_thousands_sep() const override { return mThousandsSep; }
  std::string do_grouping() const override { return std::string(); }

 private:
  CharT mDecimalPoint;
  CharT mThousandsSep;
};

}  // namespace QOR
