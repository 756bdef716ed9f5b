// OWL::TBrush: brush creation.
#include "platform/owl/TBrush.h"

#include "platform/owl/TBitmap.h"

namespace OWL {

TBrush::TBrush(const TColor& color) {
  TakeCreated(CreateSolidBrush(color.GetValue()), L"CreateSolidBrush");
}

}  // namespace OWL
