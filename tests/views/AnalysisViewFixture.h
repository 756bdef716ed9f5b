// The Analysis View tests' fixture: an analysed recording of ten beats in a view the stand-in
// host opens in a frame of its own.
#pragma once

#include "views/AnalysisView.h"

#include "document/AnalysisChannelUnit.h"
#include "document/EventNumberInRecord.h"
#include "host/formula/FormulaEnumClass.h"
#include "host/view/ViewSite.h"
#include "hostclient/EventDrawClass.h"
#include "hostclient/EventDrawContext.h"
#include "hostclient/LumoOwlDocView.h"
#include "platform/owl/TTextGadget.h"
#include "tests/document/ZRDocFixture.h"
#include "views/AnalysisScrollBar.h"
#include "views/ViewClasses.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace avtest {

using host::HostPtr;

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

inline RECT RectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline std::wstring StatusOf(const OWL::TTextGadget& gadget) { return gadget.GetText(); }

class AnalysisViewTest : public doctest::ZRDocTest {
 protected:
  static void SetUpTestSuite() {
    doctest::ZRDocTest::SetUpTestSuite();
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterNewClassObject(ObjectFactoryAccessor::Get(), NewAnalysisViewClass());
    // The comments the host's view shows are described by the event draw classes.
    for (int32_t n = 0; n < ScrivoClient::kEventDrawClassCount; ++n)
      RegisterNewClassObject(ObjectFactoryAccessor::Get(), ScrivoClient::NewEventDrawClass(n));
    SetEventDrawContextProvider({&ZR::Doc::GetEventNumberInRecord, &ZR::Doc::AnalysisChannelUnit});
    ASSERT_EQ(S_OK, host::RegisterFormulaEnumClassWithFramework(&sFormulaClass));
  }
  static void TearDownTestSuite() {
    sFormulaClass.Reset();
    SetEventDrawContextProvider({});
  }
  void TearDown() override {
    site->CloseAll();
    Pump();
    site->SetHostDocument(nullptr);
    if (mData) mData->SetFormulaClass(nullptr);
    doctest::ZRDocTest::TearDown();
  }
  // Ten beats in two records, in a view of 600 x 400 pixels.
  AnalysisView& OpenView(bool analyse = true, const wchar_t* type = L"1") {
    Open(2, 6300);
    return ShowView(analyse, type);
  }
  // The view over the document as it was opened, of the analysis type given.
  AnalysisView& ShowView(bool analyse, const wchar_t* type) {
    Set(2000, type);
    // The host's view reads the markers' formulas through the host's formula class.
    mData->SetFormulaClass(sFormulaClass.Get());
    Set(2010, L"t");  // the host's view shows the module's comments only with the peak markers
    if (analyse) {
      EXPECT_EQ(S_OK, SendAnalyze());
    }
    site->SetHostDocument(static_cast<IHostDocument*>(mHost.Get()));
    EXPECT_EQ(S_OK, site->OpenView(AnalysisView::ViewMessageId(), view));
    IClientWindow* client = nullptr;
    view->QueryInterface(IID_IClientWindow, reinterpret_cast<void**>(&client));
    client->Release();
    window = static_cast<LumoOwlDocView<AnalysisView>*>(client)->Window();
    MoveWindow(window->GetHandle(), 0, 0, 600, 400, TRUE);
    Pump();
    return *window;
  }
  void Key(UINT message, WPARAM key) {
    MSG msg{window->GetHandle(), message, key, 0, 0, {0, 0}};
    EXPECT_TRUE(OWL::TWindow::PreProcessMessage(msg));
  }
  void Scroll(UINT code, WORD thumbPos = 0) {
    window->SendMessage(WM_HSCROLL, MAKEWPARAM(code, thumbPos),
                        reinterpret_cast<LPARAM>(window->ScrollBar().GetHandle()));
  }
  uint32_t Current() { return mDoc->CurrentEvent(); }

  static inline HostPtr<ICalcEnumClass2> sFormulaClass;
  HostPtr<host::ViewSite> site = host::ViewSite::Create();
  HostPtr<IDocView2> view;
  AnalysisView* window = nullptr;
};

}  // namespace avtest
