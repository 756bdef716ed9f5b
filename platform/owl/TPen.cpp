// OWL::TPen: pen creation.
#include "platform/owl/TPen.h"

namespace OWL {

TPen::TPen(const TColor& color, int width, int style) {
  TakeCreated(CreatePen(style, width, color.GetValue()), L"CreatePen");
}

}  // namespace OWL
