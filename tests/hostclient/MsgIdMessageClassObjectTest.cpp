// The named commands' message class objects: message creation, writing, description, and the
// parameter-list grammar.
#include "hostclient/MsgIdMessageClassObject.h"

#include "host/app/HostFramework.h"
#include "hostclient/CommandParameterList.h"
#include "hostclient/ComPtr.h"
#include "hostclient/NamedCommands.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace {

using QOR::ComPtr;

// Records what a command writes.
class RecordingWriter final : public ICommandWriter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE WriteHelpTopic(const wchar_t* topic, uint32_t) override {
    lines.push_back(std::wstring(L"help ") + topic);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE WriteLine(const wchar_t* line, uint32_t) override {
    lines.push_back(line);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateParameters(ICommandParameters** parameters) override {
    *parameters = nullptr;
    lines.push_back(L"parameters");
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE WriteCommandName(const wchar_t* name) override {
    lines.push_back(std::wstring(L"command ") + name);
    return S_OK;
  }
#define RESERVED(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() override { return E_NOTIMPL; }
  RESERVED(4) RESERVED(6) RESERVED(7) RESERVED(8) RESERVED(9) RESERVED(10) RESERVED(11)
  RESERVED(12) RESERVED(13) RESERVED(14) RESERVED(15) RESERVED(16) RESERVED(17) RESERVED(18)
  RESERVED(19) RESERVED(21) RESERVED(22)
#undef RESERVED
  std::vector<std::wstring> lines;
};

class NamedCommands : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(ondara_host::EnsureHostFramework(), S_OK); }
  static QOR::MsgIdMessageClassObject& Analyze() {
    return NamedCommandClassObject(NamedCommand::Analyze);
  }
};

TEST_F(NamedCommands, ListIsNewestFirst) {
  std::vector<std::wstring> names;
  for (auto* link = QOR::LinkedClassObjectBase::Head(); link; link = link->Next()) {
    BSTR name = nullptr;
    static_cast<IMsgIdMessageClassObject*>(link->GetRegisteredInterface())->GetName(&name);
    names.push_back(name ? name : L"");
    SysFreeString(name);
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"ZR_ClearAnalysis", L"ZR_TableView_CopyToDataPad",
                                              L"ZR_Analyze"}));
}

TEST_F(NamedCommands, CreateMessageWithZeroOneAndTwoArguments) {
  uint32_t commandId = 0;
  Analyze().GetId(&commandId);
  // None: a message without argument.
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  ComPtr<IMessage> message;
  ASSERT_EQ(Analyze().CreateMessage(0, &none, message.Out()), S_OK);
  ASSERT_TRUE(message);
  uint32_t id = 0;
  message->GetId(&id);
  EXPECT_EQ(id, commandId);
  VARIANT_BOOL present = VARIANT_TRUE;
  message->HasArgument(&present);
  EXPECT_EQ(present, VARIANT_FALSE);
  // One number: its value.
  VARIANT args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  args[0].vt = VT_I4;
  args[0].lVal = 17;
  DISPPARAMS one = {args, nullptr, 1, 0};
  ASSERT_EQ(Analyze().CreateMessage(0, &one, message.Out()), S_OK);
  uint32_t value = 0;
  message->GetArgument(&value);
  message->HasArgument(&present);
  EXPECT_EQ(value, 17u);
  EXPECT_EQ(present, VARIANT_TRUE);
  // Two, or a named one: refused, nothing handed out.
  DISPPARAMS two = {args, nullptr, 2, 0};
  EXPECT_EQ(Analyze().CreateMessage(0, &two, message.Out()), DISP_E_BADPARAMCOUNT);
  EXPECT_FALSE(message);
  DISPID named = 0;
  DISPPARAMS withName = {args, &named, 1, 1};
  EXPECT_EQ(Analyze().CreateMessage(0, &withName, message.Out()), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Analyze().CreateMessage(0, nullptr, message.Out()), DISP_E_BADPARAMCOUNT);
}

TEST_F(NamedCommands, ArgumentThatCannotBeTakenAnswersItsResult) {
  ComPtr<IMessage> message;
  // A type VariantCopy refuses.
  VARIANT bad;
  VariantInit(&bad);
  bad.vt = 0x0FFF;
  DISPPARAMS copyFails = {&bad, nullptr, 1, 0};
  const HRESULT copyResult = Analyze().CreateMessage(0, &copyFails, message.Out());
  EXPECT_TRUE(FAILED(copyResult)) << std::hex << copyResult;
  EXPECT_FALSE(message);
  // A value that has no text.
  VARIANT noText;
  VariantInit(&noText);
  noText.vt = VT_UNKNOWN;
  noText.punkVal = nullptr;
  DISPPARAMS changeFails = {&noText, nullptr, 1, 0};
  const HRESULT changeResult = Analyze().CreateMessage(0, &changeFails, message.Out());
  EXPECT_TRUE(FAILED(changeResult)) << std::hex << changeResult;
  EXPECT_FALSE(message);
}

TEST_F(NamedCommands, WriteAndDescribe) {
  RecordingWriter writer;
  EXPECT_EQ(Analyze().WriteCommand(0, nullptr, nullptr, 0), E_FAIL);
  EXPECT_EQ(Analyze().Write(0, &writer, 0), S_OK);
  EXPECT_EQ(writer.lines, (std::vector<std::wstring>{L"command ZR_Analyze"}));
  writer.lines.clear();
  EXPECT_EQ(NamedCommandClassObject(NamedCommand::CopyToDataPad).Describe(0, &writer, 0), S_OK);
  EXPECT_EQ(writer.lines,
            (std::vector<std::wstring>{
                L"Name:        ZR_TableView_CopyToDataPad",
                L"Description: Copies data from the selected rows in the Ondara Table View to "
                L"the Data Pad."}));
}

TEST_F(NamedCommands, NameSlotFreesWhatItHeld) {
  BSTR name = SysAllocString(L"old");
  EXPECT_EQ(Analyze().GetName(&name), S_OK);
  EXPECT_STREQ(name, L"ZR_Analyze");
  SysFreeString(name);
  EXPECT_EQ(Analyze().GetName(nullptr), S_OK);
  VARIANT_BOOL flag7 = 0, flag8 = 1;
  Analyze().GetFlag7(0, &flag7);
  Analyze().GetFlag8(0, &flag8);
  EXPECT_EQ(flag7, VARIANT_TRUE);
  EXPECT_EQ(flag8, VARIANT_FALSE);
}

TEST(CommandParameterList, FieldsGroupsAndTriples) {
  EXPECT_TRUE(SplitParameterFields(L"").empty());
  EXPECT_EQ(SplitParameterFields(L"a,{{x,y}},b"),
            (std::vector<std::wstring>{L"a", L"x, y", L"b"}));
  const auto parameters =
      ParseCommandParameters(L"String,first;name,a;;b,RECT,{{l,t,r,b}},c,text,plain,z");
  ASSERT_EQ(parameters.size(), 3u);
  EXPECT_EQ(parameters[0].typeCode, kParamTypeString);
  EXPECT_EQ(parameters[0].name, L"first,name");
  EXPECT_EQ(parameters[0].extra, L"a,b");
  EXPECT_EQ(parameters[1].typeCode, kParamTypeRect);
  EXPECT_EQ(parameters[1].name, L"l, t, r, b");
  EXPECT_EQ(parameters[2].typeCode, kParamTypeOther);
  EXPECT_TRUE(ParseCommandParameters(L"string,name").empty());
  EXPECT_EQ(ParameterTypeCode(L"SafeArray"), kParamTypeSafeArray);
  EXPECT_EQ(ParameterTypeCode(L"bool"), kParamTypeBool);
}

}  // namespace
