// ViewBase: a module window that is a host view: host command states and messages reach its
// event table, the host's print command and copy command show its texts, and its bottom-right
// corner carries a size grip.
#pragma once

#include "base/String.h"
#include "hostapi/FrameworkCommands.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/EventTable.h"
#include "hostclient/LumoCppEventHandler.h"
#include "platform/owl/ResponseTable.h"
#include "platform/owl/TWindow.h"

#include <windows.h>

#include <cstdint>

struct IDocView2;
struct IDocViewClass;

// The host's print command text for language: a leading "&Print" becomes "&Imprimir" when the
// primary language is Spanish; any other text is kept.
QOR::String LocalizedPrintCommand(const QOR::String& text, LANGID language);

class ViewBase : public OWL::TWindow, public LumoCppEventHandler, public QOR::CComObjectRoot {
 public:
  // The texts the host shows for its copy and print commands; a view names its own (an empty
  // text leaves the host's).
  virtual QOR::String GetCopyCommandName() { return QOR::String(); }
  virtual QOR::String GetPrintCommandName() { return QOR::String(); }
  // The view site's print support says whether printing is possible now.
  virtual bool CanPrint();
  virtual bool CanCopy() { return true; }
  virtual bool CanQuickPrint() { return false; }

  IDocView2* View() const noexcept { return mView; }
  IUnknown* Owner() const noexcept { return mOwner; }
  // The host document the view site names (not referenced), or null.
  IUnknown* HostDocument() const noexcept { return mHostDocument; }
  const QOR::String& ViewName() const noexcept { return mViewName; }
  // The side of the size grip square in pixels.
  static int GripSize() noexcept;
  // Paints the grip square into the bottom-right corner of client on dc: flat in the button
  // face colour while the frame is maximised, else the scroll-bar size grip.
  void PaintGrip(HDC dc, const RECT& client) const;

  LUMO_DECLARE_EVENT_TABLE();

 protected:
  // owner is the view site; view the host's doc-view part of the view.
  ViewBase(OWL::TWindow* parent, IDocViewClass* viewClass, IDocView2* view, IUnknown* owner,
           OWL::TModule* module);
  ~ViewBase() override;

  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;
  LRESULT EvNCHitTest(WPARAM wParam, LPARAM lParam);
  bool FrameMaximised() const noexcept;

  bool mGrip = true;

 private:
  void OnCopyState(ICommandState*& state);
  void OnPrintState(ICommandState*& state);
  void OnQuickPrintState(ICommandState*& state);
  int OnSitePrint();

  OWL::TModule* mModule;
  IUnknown* mOwner;
  IDocView2* mView;
  IUnknown* mHostDocument = nullptr;
  QOR::String mViewName;

  DECLARE_RESPONSE_TABLE(ViewBase);
};
