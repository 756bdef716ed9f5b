// Host framework commands and messages: the ids of the frame's commands, whose states a view
// answers, of the messages the frame sends to the active view, and of a document's request to
// open a view.
#pragma once

#include <cstdint>

inline constexpr uint32_t kPrintCommandId = 0x80170000;
inline constexpr uint32_t kQuickPrintCommandId = 0x80170001;
inline constexpr uint32_t kCopyCommandId = 0x80170004;
inline constexpr uint32_t kSelectAllCommandId = 0x80170008;

inline constexpr uint32_t kCopyMessageId = 0x80010008;
inline constexpr uint32_t kPrintMessageId = 0x8001000B;
inline constexpr uint32_t kPrintPreviewMessageId = 0x8001000C;
inline constexpr uint32_t kSitePrintMessageId = 0x8001000D;
inline constexpr uint32_t kSelectAllMessageId = 0x8001000E;

// A document asks its host document to open a view: the message's first word is
// kOpenViewRequest, the second the view class's type id.
inline constexpr uint32_t kOpenViewMessageId = 0x80010000;
inline constexpr uint32_t kOpenViewRequest = 4;
