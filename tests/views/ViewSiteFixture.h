// The fixture of the tests that open the module's two views as the host does: both view classes
// registered, and a view site that opens each in a frame of its own and closes them after the
// test.
#pragma once

#include "grid/TVF_TableView.h"
#include "host/view/ViewSite.h"
#include "tests/document/ZRDocFixture.h"
#include "tests/support/ScriptedModalSeam.h"
#include "views/ViewClasses.h"

namespace doctest {

class ViewSiteTest : public ZRDocTest {
 protected:
  static void SetUpTestSuite() {
    ZRDocTest::SetUpTestSuite();
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterNewClassObject(ObjectFactoryAccessor::Get(), NewTableViewClass());
    RegisterNewClassObject(ObjectFactoryAccessor::Get(), NewAnalysisViewClass());
    InstallTableViewWindow();
  }
  void TearDown() override {
    site->CloseAll();
    PumpMessages();
    site->SetHostDocument(nullptr);
    ZRDocTest::TearDown();
  }

  host::HostPtr<host::ViewSite> site = host::ViewSite::Create();
};

}  // namespace doctest
