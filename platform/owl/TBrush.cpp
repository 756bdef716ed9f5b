// OWL::TBrush: brush creation.
#include "platform/owl/TBrush.h"

#include "platform/owl/TBitmap.h"

namespace OWL {

TBrush::TBrush(const TColor& color) {
  TakeCreated(CreateSolidBrush(color.GetValue()), L"CreateSolidBrush");
}

TBrush::TBrush(const TColor& color, int hatchStyle) {
  TakeCreated(CreateHatchBrush(hatchStyle, color.GetValue()), L"CreateHatchBrush");
}

TBrush::TBrush(const TBitmap& pattern) {
  TakeCreated(CreatePatternBrush(pattern.GetHandle()), L"CreatePatternBrush");
}

}  // namespace OWL
