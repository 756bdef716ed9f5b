// Resource ids of the preview windows' bars (resources/PreviewResources.rc): button ids, which
// are also their PNG faces' ids, tooltip texts and the sampling error texts.
#pragma once

// Preview bar buttons and faces.
#define IDC_PREVIEW_RECORDED 100
#define IDC_PREVIEW_SAMPLE 101
#define IDC_PREVIEW_PAUSE 102
#define IDB_PREVIEW_RECORDED 106
#define IDB_PREVIEW_SAMPLE 107
#define IDB_PREVIEW_PAUSE 108
// Trace bar buttons and faces.
#define IDC_TRACE_STACK 2
#define IDC_TRACE_OVERLAY 4
#define IDC_TRACE_SOURCE_ONLY 8
#define IDC_TRACE_SPACER 30000
#define IDB_TRACE_STACK 209
#define IDB_TRACE_OVERLAY 210
#define IDB_TRACE_SOURCE_ONLY 211
// Zoom bar buttons, each its own face.
#define IDC_ZOOM_FOLLOW 102
#define IDC_ZOOM_AUTOSCALE 213
#define IDC_ZOOM_COMPRESS 109
#define IDC_ZOOM_RATIO 214
#define IDC_ZOOM_EXPAND 103

// Tooltips in the order of the bars' buttons.
#define IDS_TIP_RECORDED 301
#define IDS_TIP_START_SAMPLING 302
#define IDS_TIP_NO_SAMPLING 303
#define IDS_TIP_PAUSE_SAMPLING 304
#define IDS_TIP_STACK 305
#define IDS_TIP_OVERLAY 306
#define IDS_TIP_SOURCE_ONLY 307
#define IDS_TIP_FOLLOW 308
#define IDS_TIP_AUTOSCALE 309
#define IDS_TIP_COMPRESS 310
#define IDS_TIP_RATIO 311
#define IDS_TIP_EXPAND 312
#define IDS_SAMPLING_FAILED 314
#define IDS_SAMPLING_CAPTION 315
