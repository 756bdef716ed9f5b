// QOR::MsgIdMessageClassObject: the static message class object of one named command, which the
// host's message factory lists, creates messages with and has described.
#pragma once

#include "hostapi/MessageFactory.h"
#include "hostclient/ClassObjectLinks.h"
#include "hostclient/ComObjectRoot.h"
#include "hostclient/InterfaceMap.h"
#include "hostclient/TypeIds.h"

#include <cstdint>

namespace QOR {

// Tag naming the factory a message class object registers with.
struct MessageFactoryTag {};

// The constant description of a command; texts are literals that live for the process.
struct MessageClassInfo {
  IdGetter id;
  const wchar_t* name;
  const wchar_t* group;
  const wchar_t* description;
  uint32_t messageFlags;
  const wchar_t* helpTopic;      // empty for none
  const wchar_t* parameterList;  // empty for a command without parameters
};

class MsgIdMessageClassObject final
    : public LinkedClassObject<MessageFactoryTag, IMsgIdMessageClassObject>,
      public IMsgIdMessageClassObject,
      public CComObjectRoot {
 public:
  explicit MsgIdMessageClassObject(const MessageClassInfo& info) noexcept : mInfo(info) {}

  QOR_BEGIN_INTERFACE_MAP(MsgIdMessageClassObject)
  QOR_INTERFACE_ENTRY(IMsgIdMessageClassObject, IID_IMsgIdMessageClassObject)
  QOR_END_INTERFACE_MAP()
  QOR_IUNKNOWN_STATIC()

  IMsgIdMessageClassObject* GetRegisteredPart() noexcept override { return this; }

  HRESULT STDMETHODCALLTYPE GetId(uint32_t* id) noexcept override;
  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) noexcept override;
  HRESULT STDMETHODCALLTYPE GetGroup(BSTR* group) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDescription(IQORString** description) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFlag7(uint32_t word, VARIANT_BOOL* flag) noexcept override;
  HRESULT STDMETHODCALLTYPE GetFlag8(uint32_t word, VARIANT_BOOL* flag) noexcept override;
  // A failed copy or conversion of the argument answers its HRESULT with *message null.
  HRESULT STDMETHODCALLTYPE CreateMessage(uint32_t word, DISPPARAMS* arguments,
                                          IMessage** message) noexcept override;
  HRESULT STDMETHODCALLTYPE WriteCommand(uint32_t word, IMessage* message,
                                         ICommandWriter* target, uint32_t word2) noexcept override;
  HRESULT STDMETHODCALLTYPE Write(uint32_t word, ICommandWriter* target,
                                  uint32_t word2) noexcept override;
  HRESULT STDMETHODCALLTYPE Describe(uint32_t word, ICommandWriter* target,
                                     uint32_t word2) noexcept override;

  const MessageClassInfo& Info() const noexcept { return mInfo; }

 private:
  HRESULT CreateMessageBody(DISPPARAMS* arguments, IMessage** message);
  HRESULT WriteCommandBody(IMessage* message, ICommandWriter* target);
  HRESULT DescribeBody(ICommandWriter* target, uint32_t word2);

  const MessageClassInfo& mInfo;
};

}  // namespace QOR
