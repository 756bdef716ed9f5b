// QOR::DialogBase: the template in the application's language, from the module given or the
// module's own resources.
#include "controls/DialogBase.h"

#include "base/XQOR.h"
#include "platform/owl/TApplication.h"
#include "platform/owl/TModule.h"
#include "tests/support/ScriptedModalSeam.h"

#include <gtest/gtest.h>

namespace {

// Resets the language and the default module a test changes.
class DialogBaseTest : public ::testing::Test {
 protected:
  void TearDown() override {
    OWL::TApplication::SetLangId(0);
    OWL::TModule::SetDefault(nullptr);
  }
};

std::wstring CaptionOf(QOR::DialogBase& dialog) {
  dialog.Create();
  std::wstring caption = dialog.GetWindowText();
  dialog.Destroy();
  return caption;
}

TEST_F(DialogBaseTest, TakesTheTemplateInTheApplicationsLanguage) {
  OWL::TApplication::SetLangId(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  QOR::DialogBase german(nullptr, L"XTESTDLG");
  EXPECT_EQ(CaptionOf(german), L"Deutsch");
  OWL::TApplication::SetLangId(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
  QOR::DialogBase other(nullptr, L"XTESTDLG");
  EXPECT_EQ(CaptionOf(other), L"Neutral");
}

TEST_F(DialogBaseTest, TakesTheTemplateFromTheModuleGivenElseFromTheModulesOwn) {
  OWL::TModule system(L"user32.dll", GetModuleHandleW(L"user32.dll"), true);
  OWL::TModule own(L"", OWL::TModule::CodeInstance(), true);
  OWL::TModule::SetDefault(&system);
  QOR::DialogBase fromOwn(nullptr, L"XTESTDLG");
  EXPECT_THROW(fromOwn.Create(), XQOR);
  QOR::DialogBase fromGiven(nullptr, L"XTESTDLG", &own);
  EXPECT_EQ(CaptionOf(fromGiven), L"Neutral");
}

TEST_F(DialogBaseTest, ExecutesModallyThroughTheSeam) {
  ScriptedModalSeam seam;
  seam.DialogScript = [](OWL::TDialog& dialog) { dialog.SendMessage(WM_COMMAND, IDOK); };
  QOR::DialogBase dialog(nullptr, L"XTESTDLG");
  EXPECT_EQ(dialog.Execute(), IDOK);
}

}  // namespace
