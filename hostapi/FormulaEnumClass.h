// Host formula enumerator class: builds enumerator chains from formula text.
// Ownership: as ICalcEnumClass2 (hostapi/CalcEnumClass.h).
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

// The class GUID whose type-registry index, shifted left by 16 and or'ed with
// kFormulaEnumClassNumber, is the id under which the host's class registry (operation 5) gives
// its formula enumerator class as ICalcEnumClass2.
// {88736FEF-F85F-4B09-862A-B4E59B348DE4}
inline constexpr GUID kFormulaEnumClassGuid = {
    0x88736FEF, 0xF85F, 0x4B09, {0x86, 0x2A, 0xB4, 0xE5, 0x9B, 0x34, 0x8D, 0xE4}};
inline constexpr uint16_t kFormulaEnumClassNumber = 0;

// The class's CreateEnum takes the data file (IHostDataFile, or null) as data context and makes
// a formula enumerator, an ICalcEnum that also answers IEnumEventEx:
// - LoadSettings(text): parses the formula, nested calls of the registered enumerator classes
//   by name or alias in any letter case, channels written "chN" or "channelN" (N from 1) with
//   an optional "r" or "v" before them, numbers in the classic locale, omitted trailing
//   arguments; creates each call's enumerator through its class object and loads its settings.
//   A text it cannot parse, or an unknown name, gives E_INVALIDARG and sets the thread's error
//   info (GetErrorInfo) to a text naming the position (counted from 1) and what is wrong there.
// - SetSources(record, count, sources, ...): sources[i] is the source of the i-th distinct
//   channel reference of the text in order of appearance (channel, "r" mark and "v" mark all
//   equal counting as one); every occurrence of a channel in the chain reads through a cursor
//   of its own.
// - Next, Find and the rest answer those of the outermost call's enumerator.
// - A text that is an arithmetic signal of the time t (numbers, t, + - * / ^, sin, threshold)
//   makes instead a channel: SetSources with no source and the sample period, SetStartTick,
//   then ISampleSource (IID_ISampleSource) reads its samples, t restarting at 0 in each record.
