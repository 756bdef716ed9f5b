// The preset list over the stand-in host's presets: which entry a channel's settings select,
// "User - Custom" keeping the user's own settings while presets are tried, and a service that
// misbehaves in the ways the list must survive.
#include "settingsdlg/PresetCombo.h"

#include "document/SettingsStore.h"
#include "host/app/HostFramework.h"
#include "host/common/HostObject.h"
#include "host/data/DataDocument.h"
#include "hostclient/HostChildObject.h"
#include "platform/owl/TDialog.h"
#include "tests/support/DialogTemplate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ZR::Dlg::PresetCombo;

// Forwards to the host's service, with the faults a service may show switched on by flags.
class ShakyService final : public host::HostObject<IPXPresetService> {
 public:
  explicit ShakyService(IPXPresetService* inner) : mInner(inner) { mInner->AddRef(); }
  ~ShakyService() override { mInner->Release(); }

  bool failCount = false;
  bool strayIndex = false;  // "not found" with a preset's index beside it
  std::vector<int32_t> presetsAsked;
  int deletes = 0;

  HRESULT STDMETHODCALLTYPE GetPresetCount(int32_t* count) noexcept override {
    return failCount ? E_FAIL : mInner->GetPresetCount(count);
  }
  HRESULT STDMETHODCALLTYPE FindPresetBySettings(IPXDetectionSettings* s, int32_t* index, VARIANT_BOOL* found) noexcept override {
    if (!strayIndex) return mInner->FindPresetBySettings(s, index, found);
    *index = 3;
    *found = VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindPresetByName(QOR::IQORString* n, int32_t* i, VARIANT_BOOL* f) noexcept override {
    return mInner->FindPresetByName(n, i, f);
  }
  HRESULT STDMETHODCALLTYPE GetPreset(int32_t index, IPXDetectionSettings** s) noexcept override {
    presetsAsked.push_back(index);
    return mInner->GetPreset(index, s);
  }
  HRESULT STDMETHODCALLTYPE CreateSettings(IPXDetectionSettings** s) noexcept override { return mInner->CreateSettings(s); }
  HRESULT STDMETHODCALLTYPE GetPresetName(int32_t i, VARIANT_BOOL d, QOR::IQORString** n) noexcept override {
    return mInner->GetPresetName(i, d, n);
  }
  HRESULT STDMETHODCALLTYPE Reserved9() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved10() noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsPresetRemovable(int32_t i, VARIANT_BOOL* r) noexcept override {
    return mInner->IsPresetRemovable(i, r);
  }
  HRESULT STDMETHODCALLTYPE Customize(HWND, IPXDetectionSettings*, const int32_t*, QOR::IQORString*, QOR::IQORString*,
                                      QOR::IQORString*, IPXDetectionSettings**) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SavePreset(HWND, IPXDetectionSettings*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeletePreset(HWND owner, QOR::IQORString* name) noexcept override {
    ++deletes;
    return mInner->DeletePreset(owner, name);
  }

 private:
  void* FindInterface(REFIID iid) override {
    if (iid == IID_IUnknown || iid == IID_IPXPresetService) return static_cast<IPXPresetService*>(this);
    return nullptr;
  }
  IPXPresetService* mInner;
};

std::vector<uint8_t> ComboTemplate() {
  DialogTemplate t(L"Presets", 200, 120, WS_POPUP | WS_VISIBLE);
  t.Item(DialogTemplate::kComboBox, PresetCombo::kControlId, L"", 5, 5, 150, 100,
         CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | WS_VSCROLL);
  return t.Bytes();
}

class ComboDialog : public OWL::TDialog {
 public:
  ComboDialog(IPXPresetService* service, ZR::Doc::SettingsStore* store) : ComboDialog(ComboTemplate(), service, store) {}
  PresetCombo* Combo;

 private:
  ComboDialog(const std::vector<uint8_t>& bytes, IPXPresetService* service, ZR::Doc::SettingsStore* store)
      : TDialog(nullptr, bytes.data(), bytes.size()) {
    Combo = new PresetCombo(this, service, store);
  }
};

class PresetComboTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(S_OK, ondara_host::EnsureHostFramework()); }

  void SetUp() override {
    host::Recording recording;
    recording.channels.push_back(host::ChannelInfo{L"Im", L"pA", L""});
    recording.records.push_back(host::MakeEmptyRecord(1, 0.001, true));
    mFile = host::DataDocument::Create(std::move(recording));
    mStore.GetOrCreateGroup(0, -1, static_cast<IHostDataFile*>(mFile.Get()));
    ASSERT_NE(Channel(), nullptr);
    mService.Attach(QOR::GetHostChildObject(static_cast<IHostDataFile*>(mFile.Get())));
    ASSERT_NE(mService.Get(), nullptr);
  }

  IPXDetectionSettings* Channel() const { return mStore.GetDetectionSettingsObject(); }
  double Param(int32_t index) const {
    double value = -1.0;
    Channel()->GetParameter(index, &value);
    return value;
  }
  static std::vector<std::wstring> Entries(const PresetCombo& combo) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(combo.SendMessage(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
      wchar_t text[200] = {};
      combo.SendMessage(CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      texts.push_back(combo.IsSeparator(i) ? L"--" : text);
    }
    return texts;
  }

  host::HostPtr<host::DataDocument> mFile;
  ZR::Doc::SettingsStore mStore{nullptr};
  ComPtr<IPXPresetService> mService;
};

TEST_F(PresetComboTest, SettingsEqualToAPresetSelectIt) {
  ComboDialog dialog(mService.Get(), &mStore);
  dialog.Create();
  PresetCombo& combo = *dialog.Combo;
  EXPECT_EQ(Entries(combo).size(), 4u);  // set-up lists the presets alone
  combo.Fill();
  EXPECT_EQ(Entries(combo),
            (std::vector<std::wstring>{L"Fast events", L"Absolute threshold", L"--", L"Upward cycles", L"Downward cycles"}));
  EXPECT_STREQ(combo.SelectedName().GetText(), L"Upward cycles");
  EXPECT_FALSE(combo.IsCustomListed());
  EXPECT_FALSE(combo.IsDeletable());
  EXPECT_FALSE(combo.DeleteSelected(nullptr));  // a fixed preset stays
  combo.SetSelItemIndex(1);
  combo.ApplySelection();
  EXPECT_TRUE(combo.IsDeletable());
  VARIANT_BOOL relative = VARIANT_TRUE;
  Channel()->IsRelativeThreshold(&relative);
  EXPECT_EQ(relative, VARIANT_FALSE);
  EXPECT_EQ(Param(kPXParamChannel), 0.0);  // the channel's object keeps its channel
}

TEST_F(PresetComboTest, UserCustomKeepsTheUsersSettingsWhilePresetsAreTried) {
  Channel()->SetParameter(kPXParamMinHeight, 4.2);
  Channel()->SetParameter(PresetCombo::kPresetNumberParam, 7.0);
  ComboDialog dialog(mService.Get(), &mStore);
  dialog.Create();
  PresetCombo& combo = *dialog.Combo;
  combo.Fill();
  EXPECT_EQ(Entries(combo), (std::vector<std::wstring>{L"User - Custom", L"--", L"Fast events", L"Absolute threshold",
                                                       L"--", L"Upward cycles", L"Downward cycles"}));
  EXPECT_STREQ(combo.SelectedName().GetText(), L"User - Custom");
  EXPECT_FALSE(combo.IsDeletable());
  combo.SetSelItemIndex(1);
  combo.ApplySelection();
  EXPECT_EQ(Param(kPXParamMinHeight), 4.0);
  EXPECT_TRUE(combo.IsDeletable());
  combo.Fill();  // matches a preset now, and "User - Custom" stays listed
  EXPECT_EQ(combo.GetSelItemIndex(), 1);
  EXPECT_TRUE(combo.IsCustomListed());
  combo.SetSelItemIndex(0);
  combo.ApplySelection();
  EXPECT_EQ(Param(kPXParamMinHeight), 4.2);
  EXPECT_EQ(Param(PresetCombo::kPresetNumberParam), 0.0);
  EXPECT_TRUE(combo.IsCustomCurrent());
}

TEST_F(PresetComboTest, AMisbehavingServiceLeavesTheChannelsSettingsAlone) {
  auto* shaky = new ShakyService(mService.Get());
  ComPtr<IPXPresetService> held;
  held.Attach(shaky);
  ComboDialog dialog(shaky, &mStore);
  dialog.Create();
  PresetCombo& combo = *dialog.Combo;

  shaky->strayIndex = true;  // not found, whatever index comes beside it
  combo.Fill();
  EXPECT_STREQ(combo.SelectedName().GetText(), L"User - Custom");

  combo.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1));
  combo.ApplySelection();
  EXPECT_TRUE(shaky->presetsAsked.empty());
  EXPECT_EQ(Param(kPXParamMinHeight), 3.0);

  combo.SetSelItemIndex(0);
  EXPECT_FALSE(combo.DeleteSelected(nullptr));  // "User - Custom" is no preset to delete
  EXPECT_EQ(shaky->deletes, 0);

  shaky->failCount = true;
  combo.Fill();
  EXPECT_EQ(Entries(combo), (std::vector<std::wstring>{L"User - Custom", L"--"}));
}

TEST_F(PresetComboTest, WithoutAServiceTheListStaysEmpty) {
  ComboDialog dialog(nullptr, &mStore);
  dialog.Create();
  dialog.Combo->Fill();
  dialog.Combo->ApplySelection();
  EXPECT_TRUE(Entries(*dialog.Combo).empty());
  EXPECT_TRUE(dialog.Combo->SelectedName().IsEmpty());
}

}  // namespace
