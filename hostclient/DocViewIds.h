// The ids the document, the views, the comments and the event draw classes exchange with the
// host: their class GUIDs and one getter per (GUID, number).
#pragma once

#include "hostapi/AnalysisManager.h"
#include "hostapi/ChannelCalc.h"
#include "hostapi/ScrivoComment.h"
#include "hostclient/ClassGuids.h"
#include "hostclient/TypeIds.h"

#include <windows.h>

#include <cstdint>

// The Analysis View's message class.
inline constexpr GUID AnalysisViewClassGUID = {
    0xDFDF7829, 0x66B1, 0x4B7F, {0xA2, 0xB0, 0x88, 0xCD, 0x13, 0xF3, 0x88, 0x6F}};
// The Table View's message class.
inline constexpr GUID TableViewClassGUID = {
    0x7BBF4093, 0x79A7, 0x4E6E, {0xA2, 0xFB, 0x40, 0x52, 0x85, 0xD8, 0x3F, 0x18}};
// The module's channel calculation classes (0 the calculation, 1 its settings).
inline constexpr GUID ZRChanCalcGUID = {
    0x249FD174, 0x208F, 0x4374, {0x80, 0x9F, 0xAB, 0xC8, 0x02, 0x18, 0x89, 0xBB}};
// The host's notification messages.
inline constexpr GUID HostNotifyMsgGUID = kHostNotifyClassGuid;
// The host's analysis manager.
inline constexpr GUID AnalysisManagerGUID = kAnalysisManagerClassGuid;
// A host object class; its number 11 switches a channel calculation off.
inline constexpr GUID HostAuxClassGUID = kHostAuxClassGuid;

namespace DocIds {

// Menu commands of the document; each has an execute and a state entry in its table.
using SettingsCommand = MsgIdClass<&ZRDocGUID, 1>;           // "&Settings..."
using OpenAnalysisViewCommand = MsgIdClass<&ZRDocGUID, 2>;   // "&Analysis View"
using OpenTableViewCommand = MsgIdClass<&ZRDocGUID, 12>;     // "&Table View"
using AnalyseWhileSamplingCommand = MsgIdClass<&ZRDocGUID, 6>;
using ShowPeakMarkersCommand = MsgIdClass<&ZRDocGUID, 4>;    // "Show &Peak Markers"
using AnalyseCommand = MsgIdClass<&ZRDocGUID, 9>;
using ClearAnalysisCommand = MsgIdClass<&ZRDocGUID, 8>;      // "&Clear Analysis"
using HelpCommand = MsgIdClass<&ZRDocGUID, 10>;
using ReselectCommand = MsgIdClass<&ZRDocGUID, 7>;           // "&Reselect Analyzed Data"

// Named commands (whole-id message entries).
using AnalyzeMessage = MsgIdClass<&ZRDocGUID, 0>;            // "ZR_Analyze"
using CopyToDataPadMessage = MsgIdClass<&ZRDocGUID, 1>;      // "ZR_TableView_CopyToDataPad"
using ClearAnalysisMessage = MsgIdClass<&ZRDocGUID, 3>;      // "ZR_ClearAnalysis"

// Host notifications the document observes.
using CommentActivatedEvent = TypeIdClass<&HostNotifyMsgGUID, 44>;  // nine words
using ManagerEvent7 = TypeIdClass<&AnalysisManagerGUID, 7>;         // one word
using ManagerEvent5 = TypeIdClass<&AnalysisManagerGUID, 5>;         // one word
using ManagerEvent6 = TypeIdClass<&AnalysisManagerGUID, 6>;         // one word
using RecordsReanalyseEvent = TypeIdClass<&HostNotifyMsgGUID, 6>;   // four words
using HostEvent4 = TypeIdClass<&HostNotifyMsgGUID, 4>;              // none
using RegionAtDataEndEvent14 = TypeIdClass<&HostNotifyMsgGUID, 14>; // four words
using RegionAtDataEndEvent16 = TypeIdClass<&HostNotifyMsgGUID, 16>; // four words
using MarkersDetachedEvent = TypeIdClass<&HostNotifyMsgGUID, 18>;   // three words
using ChannelChangedEvent20 = TypeIdClass<&HostNotifyMsgGUID, 20>;  // one word
using ChannelChangedEvent22 = TypeIdClass<&HostNotifyMsgGUID, 22>;  // one word
using RecordsChangedEvent = TypeIdClass<&HostNotifyMsgGUID, 34>;    // three words

// The fixed notification id (not formed from a GUID): a stored region to re-analyse.
inline constexpr uint32_t kStoredRegionEventId = 0x80000000u;
inline uint32_t* GetStoredRegionEventId(uint32_t* result) noexcept {
  *result = kStoredRegionEventId;
  return result;
}

// Other ids.
using DocumentTypeId = TypeIdClass<&ZRDocGUID, 0>;
using OpenAnalysisViewMessage = MsgIdClass<&AnalysisViewClassGUID, 1>;
using OpenTableViewMessage = MsgIdClass<&TableViewClassGUID, 1>;
template <uint16_t N>
using EventDrawTypeId = TypeIdClass<&ZREventDrawGUID, N>;
using HostNotify52Message = MsgIdClass<&HostNotifyMsgGUID, 52>;
using AnalysisManagerTypeId = TypeIdClass<&AnalysisManagerGUID, 0>;
using CommentTypeId = TypeIdClass<&HostUiClassGUID, 18>;
using HostProgressTypeId = TypeIdClass<&HostUiClassGUID, 16>;
using HostUiTypeId2 = TypeIdClass<&HostUiClassGUID, 2>;
using ChanCalcTypeId = TypeIdClass<&ZRChanCalcGUID, 0>;
using HostAuxTypeId11 = TypeIdClass<&HostAuxClassGUID, 11>;

}  // namespace DocIds
