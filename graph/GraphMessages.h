// The messages of the two-dimensional drawer, the graph menu and the drag-scale objects.
#pragma once

#include "graph/Message.h"

#include "base/String.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace MGraph1 {

// What both redraw messages point to; valid only during the send.
struct RedrawInfo {
  int32_t width = 0;
  int32_t height = 0;
  RECT plotRect = {};
  double xMin = 0.0;
  double xMax = 0.0;
  double yMin = 0.0;
  double yMax = 0.0;
};

// One overlay's text for a mouse position.
struct HintRecord {
  int32_t x = 0;
  int32_t y = 0;
  RECT plotRect = {};
  RECT wholeRect = {};
  QOR::String text;
  int32_t reserved = 0;
};
using HintList = std::vector<HintRecord>;

// The sender id of every drawer message is the control id of the drawer's owner window (0 without one).
struct MsgGraph2DDrawerNotifyBeginRedraw : MessSys::Message {
  MsgGraph2DDrawerNotifyBeginRedraw(int32_t id, const RedrawInfo* redraw) : senderId(id), info(redraw) {}
  int32_t senderId;
  const RedrawInfo* info;
};

struct MsgGraph2DDrawerNotifyEndRedraw : MessSys::Message {
  MsgGraph2DDrawerNotifyEndRedraw(int32_t id, const RedrawInfo* redraw) : senderId(id), info(redraw) {}
  int32_t senderId;
  const RedrawInfo* info;
};

// The new range is read from the drawer (GetDomain, GetRange).
struct MsgGraph2DDrawerOnDomainChanged : MessSys::Message {
  explicit MsgGraph2DDrawerOnDomainChanged(int32_t id) : senderId(id) {}
  int32_t senderId;
};

struct MsgGraph2DDrawerOnRangeChanged : MessSys::Message {
  explicit MsgGraph2DDrawerOnRangeChanged(int32_t id) : senderId(id) {}
  int32_t senderId;
};

struct MouseTrackHintMsg : MessSys::Message {
  MouseTrackHintMsg(int32_t id, const HintList* list) : senderId(id), hints(list) {}
  int32_t senderId;
  const HintList* hints;
  int32_t reserved1 = -1;
  int32_t reserved2 = -1;
};

struct MouseLeaveMsg : MessSys::Message {
  explicit MouseLeaveMsg(int32_t id) : senderId(id) {}
  int32_t senderId;
};

// The three state flags of a graph menu item, which the item's receiver may change.
struct MenuItemState {
  bool shown;
  bool enabled;
  bool checked;
};

// The receiver may also change the item's text, which the menu keeps.
struct PreDisplayMenuMessage : MessSys::Message {
  PreDisplayMenuMessage(int32_t item, MenuItemState* itemState, QOR::String* itemText = nullptr)
      : id(item), state(itemState), text(itemText) {}
  int32_t id;
  MenuItemState* state;
  QOR::String* text;
};

struct OnMenuItemMessage : MessSys::Message {
  explicit OnMenuItemMessage(int32_t item) : id(item) {}
  int32_t id;
};

// Drag-scale messages; axis is 100 for the X axis, 101 for the Y axis.
inline constexpr int32_t kXAxisId = 100;
inline constexpr int32_t kYAxisId = 101;

struct MsgBeginDrag : MessSys::Message {
  explicit MsgBeginDrag(int32_t axisId) : axis(axisId) {}
  int32_t reserved = 0;
  int32_t axis;
};

struct MsgEndDrag : MessSys::Message {
  explicit MsgEndDrag(int32_t axisId) : axis(axisId) {}
  int32_t reserved = 0;
  int32_t axis;
};

struct MsgAutoScale : MessSys::Message {
  explicit MsgAutoScale(int32_t axisId) : axis(axisId) {}
  int32_t reserved = 0;
  int32_t axis;
};

struct MappingRecord;

// pixelMapping: the mapping the scale passed; unitConversion: the one read back from it.
struct MsgScalingChanged : MessSys::Message {
  MsgScalingChanged(const MappingRecord* pixels, const MappingRecord* units, int32_t axisId)
      : pixelMapping(pixels), unitConversion(units), axis(axisId) {}
  int32_t reserved = 0;
  const MappingRecord* pixelMapping;
  const MappingRecord* unitConversion;
  int32_t axis;
};

}  // namespace MGraph1
