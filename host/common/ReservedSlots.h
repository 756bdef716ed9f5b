// Slots of the host's interfaces that the stand-in does not serve: each answers E_NOTIMPL.
#pragma once

#define HOST_RESERVED_SLOT(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() noexcept override { return E_NOTIMPL; }

// Slots 3-6 of the framework's services (their creation operation is slot 7).
#define HOST_SERVICE_RESERVED_SLOTS \
  HOST_RESERVED_SLOT(3) HOST_RESERVED_SLOT(4) HOST_RESERVED_SLOT(5) HOST_RESERVED_SLOT(6)

// The slots of IHostChildDocumentList other than 5 and 25.
#define HOST_CHILD_LIST_RESERVED_SLOTS                                                    \
  HOST_RESERVED_SLOT(3) HOST_RESERVED_SLOT(4) HOST_RESERVED_SLOT(6) HOST_RESERVED_SLOT(7)   \
  HOST_RESERVED_SLOT(8) HOST_RESERVED_SLOT(9) HOST_RESERVED_SLOT(10) HOST_RESERVED_SLOT(11) \
  HOST_RESERVED_SLOT(12) HOST_RESERVED_SLOT(13) HOST_RESERVED_SLOT(14)                      \
  HOST_RESERVED_SLOT(15) HOST_RESERVED_SLOT(16) HOST_RESERVED_SLOT(17)                      \
  HOST_RESERVED_SLOT(18) HOST_RESERVED_SLOT(19) HOST_RESERVED_SLOT(20)                      \
  HOST_RESERVED_SLOT(21) HOST_RESERVED_SLOT(22) HOST_RESERVED_SLOT(23)                      \
  HOST_RESERVED_SLOT(24)
