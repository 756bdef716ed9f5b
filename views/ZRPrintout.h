// ZRPrintout: one page holding the whole of a view.
#pragma once

#include "hostclient/LumoPrintout.h"

class ZRViewBase;

class ZRPrintout final : public LumoPrintout {
 public:
  // A printout titled title that renders view (which must outlive it), with one reference.
  static ComPtr<ILumoPrintoutEx> Create(ZRViewBase& view, const QOR::String& title);

 protected:
  void DrawPage(int32_t page, OWL::TDC& dc, OWL::TDC* printer, const OWL::TRect& rect) override;
  int32_t CountPages() override { return 1; }

 private:
  ZRPrintout(ZRViewBase& view, const QOR::String& title);
  ~ZRPrintout() override = default;

  ZRViewBase* mView;
};
