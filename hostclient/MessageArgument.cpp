// VARIANT to message argument, through the type registry's text-to-value operation.
#include "hostclient/MessageArgument.h"

#include "base/String.h"
#include "base/XQOR.h"
#include "hostclient/FrameworkAccess.h"

#include <oleauto.h>

namespace QOR {

namespace {

// The argument as text; throws XQOR when it cannot be converted.
String ArgumentText(const VARIANT& argument) {
  if (argument.vt == VT_BSTR) {
    return String(argument.bstrVal, static_cast<int>(SysStringLen(argument.bstrVal)));
  }
  VARIANT text;
  VariantInit(&text);
  const HRESULT hr = VariantChangeTypeEx(&text, const_cast<VARIANT*>(&argument),
                                         MAKELCID(1033, SORT_DEFAULT), 0, VT_BSTR);
  if (FAILED(hr)) throw XQOR(hr);
  // The string takes over the converted BSTR.
  return String::AttachBSTR(text.bstrVal);
}

}  // namespace

uint32_t VariantToMessageArgument(const VARIANT& argument) {
  const String text = ArgumentText(argument);
  uint32_t value = 0;
  ITypeRegistry* const registry = GetTypeRegistry();
  if (!registry) return 0;
  // Result not examined: the value the registry wrote (or 0) is the argument.
  registry->TextToValue(0, text.GetInterface(), &value);
  return value;
}

}  // namespace QOR
