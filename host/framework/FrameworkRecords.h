// What the framework's companions and menu objects recorded: asked for by tests of the
// host's routing, never by module code.
#pragma once

#include <oaidl.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// What reached one companion (a document's, a document class's or a view class's).
struct HostCompanionRecord {
  uint32_t messages;        // IMessageHandler slot 3
  uint32_t lastMessageId;
  uint32_t notifications;   // IObserver slot 4
  uint32_t lastEventId;
  uint32_t registrations;   // IObserver slot 3
  uint32_t siteRecords;     // ISubject slot 3 (a document's records for its site)
  uint32_t lastSiteId;
  uint32_t commands;        // ILumoCommandHandler slots 3-5
  uint32_t lastCommandId;
  uint32_t activations;     // a view class's active-view notices
  uint32_t initialisations; // a view class's set-up
  uint32_t lastMessageData[2];  // the data words of the last message
};

// {A1E4C7B2-3D58-4F6A-8B90-1C2D3E4F5A61}
inline constexpr GUID IID_IHostCompanionRecord = {
    0xA1E4C7B2, 0x3D58, 0x4F6A, {0x8B, 0x90, 0x1C, 0x2D, 0x3E, 0x4F, 0x5A, 0x61}};

struct IHostCompanionRecord : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetRecord(HostCompanionRecord* record) = 0;
};

// {B2F5D8C3-4E69-4A7B-9CA1-2D3E4F5A6B72}
inline constexpr GUID IID_IHostMenuRecord = {
    0xB2F5D8C3, 0x4E69, 0x4A7B, {0x9C, 0xA1, 0x2D, 0x3E, 0x4F, 0x5A, 0x6B, 0x72}};

// A menu root or entry as the host keeps it.
struct IHostMenuRecord : IUnknown {
  // Slot 3: the subtree as text, one node a line, children indented by two blanks.
  virtual HRESULT STDMETHODCALLTYPE Describe(BSTR* tree) = 0;
  // Slot 4: runs command id through the root's command handler (as a click on an entry);
  // E_FAIL for an entry or a root without handler.
  virtual HRESULT STDMETHODCALLTYPE RunCommand(uint32_t id) = 0;
};
