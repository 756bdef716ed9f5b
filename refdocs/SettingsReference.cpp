// The reference page of the settings: every setting `--set ID=VALUE` gives, read from the settings.
#include "refdocs/SettingsReference.h"

#include "document/GlobalSettings.h"
#include "document/ParamCatalogue.h"
#include "document/SettingIds.h"
#include "document/Settings1.h"
#include "document/SettingsGroup.h"
#include "document/ZRSettingIO.h"
#include "refdocs/ReferenceNotes.h"
#include "refdocs/ReferenceText.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace refdocs {
namespace {

using ZR::Doc::ZRSetting;

std::string KindText(const ZRSetting& setting) {
  switch (setting.Kind()) {
    case ZR::Doc::kSettingBool: return "switch";
    case ZR::Doc::kSettingInt:
    case ZR::Doc::kSettingLong: return "whole number";
    case ZR::Doc::kSettingInt10: return "whole number";
    case ZR::Doc::kSettingDouble: return "number";
    case ZR::Doc::kSettingDetectionSet: return "text";
    default: return "?";
  }
}

template <typename T>
std::string BoundsText(T minimum, T largestValid) {
  const double low = static_cast<double>(minimum);
  const double high = static_cast<double>(largestValid);
  if (high == std::numeric_limits<double>::max()) {
    return low == std::numeric_limits<double>::lowest() ? "any" : NumberText(low) + " or more";
  }
  return NumberText(low) + " to " + NumberText(high);
}

std::string RangeText(const ZRSetting& setting) {
  if (setting.Kind() == ZR::Doc::kSettingBool) return "t or f";
  if (setting.Kind() == ZR::Doc::kSettingDetectionSet) return "see below";
  if (const auto* d = dynamic_cast<const ZR::Doc::ZRSettingDouble*>(&setting))
    return BoundsText(d->GetMinimum(), d->GetLargestValid());
  if (const auto* l = dynamic_cast<const ZR::Doc::ZRSettingLong*>(&setting))
    return BoundsText(l->GetMinimum(), l->GetLargestValid());
  if (const auto* i = dynamic_cast<const ZR::Doc::ZRSettingInt*>(&setting)) {
    const std::string bounds = BoundsText(i->GetMinimum(), i->GetLargestValid());
    return setting.Kind() == ZR::Doc::kSettingInt10 ? bounds + ", steps of 10" : bounds;
  }
  return "?";
}

std::string DefaultText(const ZRSetting& setting) {
  if (setting.Kind() == ZR::Doc::kSettingDetectionSet) return kDetectionSettingsDefault;
  return Narrow(setting.ToText(true).GetText());
}

// The types the settings check the value for, then those that read it too: "0, 1, 2, 3; read by 5".
std::string TypesText(int32_t checked, int32_t readToo) {
  const int32_t others = readToo & ~checked;
  if (others == 0) return TypeList(checked);
  return TypeList(checked) + "; read by " + TypeList(others);
}

std::string Row(const ZRSetting& setting) {
  const SettingNote* note = FindSettingNote(setting.Id());
  const int32_t id = ZR::Doc::NumberOf(setting.Id());
  if (note == nullptr) throw std::logic_error("setting " + std::to_string(id) + " has no note");
  return "| " + std::to_string(id) + " | " + note->name + " | " + KindText(setting) + " | " +
         note->unit + " | `" + DefaultText(setting) + "` | " + RangeText(setting) + " | " +
         TypesText(setting.TypeMask(), note->readToo) + " | " + note->meaning + " |\n";
}

constexpr char kTableHead[] =
    "| id | name | kind | unit | default | valid values | types | meaning |\n"
    "|---|---|---|---|---|---|---|---|\n";

// By id, for looking up the ids the README and the messages name.
std::string Rows(const ZR::Doc::SettingsGroup& group) {
  std::vector<const ZRSetting*> settings;
  for (uint32_t i = 0; i < group.Count(); ++i) {
    if (group.At(i)->Id() >= ZR::Doc::kFirstChannelSettingId) settings.push_back(group.At(i));
  }
  std::sort(settings.begin(), settings.end(), [](const ZRSetting* a, const ZRSetting* b) { return a->Id() < b->Id(); });
  std::string out = kTableHead;
  for (const ZRSetting* setting : settings) out += Row(*setting);
  return out;
}

constexpr char kIntroduction[] =
    "`--set ID=VALUE` gives a setting its value as the settings keep it: heights and levels in the channel's\n"
    "base unit (volts for a channel in mV: 50 mV is `0.05`; amperes for one in pA: 20 pA is `2e-11`), times in\n"
    "ms, percentages of the peak's height as whole numbers, switches `t` or `f`. A value outside the valid\n"
    "values, or not a number of the setting's kind, is refused with the setting's own message. \"types\" are\n"
    "the analysis types for which the settings check the value, then (\"read by\") the others whose analysis\n"
    "reads it too.\n\n";

constexpr char kDetectionText[] =
    "## The detection settings text (1010)\n\n"
    "General - Unstimulated and Synaptic detect with the host's cycle detector, whose settings are one text of\n"
    "ten numbers: `1 CHANNEL POLARITY HYSTERESIS HEIGHT INTERVAL BASELINE RELATIVE PRESET NONPOSITIVE`; a text of\n"
    "more or fewer numbers is refused, naming its count, by --set and in a documents file alike.\n\n"
    "- `1`: the text's version; `CHANNEL`: any number, the analysis sets the channel itself.\n"
    "- `POLARITY`: 1 detects upward events, -1 downward ones (inward currents).\n"
    "- `HEIGHT`: the threshold: how far an event rises above the local trough, the lowest that the signal's\n"
    "  average (over 8 samples; over an eighth of `INTERVAL`, at least 2, where that is shorter) has been lately\n"
    "  (the trough rises by at most one threshold per 50 ms, so it follows a drift and an earlier event's fall,\n"
    "  however long, down to where that event, or the one whose fall it rode on, rose from;\n"
    "  below where the last event rose from it falls as slowly, and while the average lies more than the\n"
    "  threshold below it, it holds, so the return of a current of the other sign, decaying over up to 100 ms,\n"
    "  to the baseline is no event; an average that keeps within half a threshold of one level there for 100 ms\n"
    "  is a new level, which the trough takes); with `BASELINE` 0 it is measured from 0 instead. With\n"
    "  `RELATIVE` 1 (or any number but 0) in standard deviations of the noise (0.05 to 9), with `RELATIVE` 0 in\n"
    "  the channel's base unit (1e-11 for 10 pA; a run that finds nothing says so when the threshold is more\n"
    "  than the whole trace spans).\n"
    "- `HYSTERESIS`: 0 to below 1: an event ends where its average has fallen by the threshold from its\n"
    "  highest, or has not risen above that for `INTERVAL`, nor for as long as its rise would take to get there at\n"
    "  the pace at which it crossed the threshold (a step to a new level; a shorter pause, a notch or a shoulder on a\n"
    "  slow rise, is part of the rise; where the signal then stands\n"
    "  above the extreme it had where that average last rose, it is on the rise of an event starting just then, which\n"
    "  the average lags: that rise is the next event's), or where the signal and that\n"
    "  average are back below HEIGHT x (1 - HYSTERESIS) over the trough it rose from; or where that average,\n"
    "  having fallen from its highest for longer than it rose to it from the trough (a top of its own), rises\n"
    "  again, in less time than it fell, to more than the threshold above that highest: that rise is the next\n"
    "  event's, which starts at the lowest in between, its rise measured from there. So a current starting on an\n"
    "  earlier one's top or fall before that has fallen by the threshold is an event of its own, never that one's\n"
    "  extreme, while a brief dip on a rise (a notch), one that comes back as slowly as it fell, and a return to a\n"
    "  top no higher by the threshold end none. A rise out of an event's fall, before the fall is back at the\n"
    "  trough it rose from or, at the pace it came down to half the event's height, would be back within the\n"
    "  threshold of it, to no higher than that event's highest, by then, and more slowly than the fall came down\n"
    "  from the level it reaches, is the return of a current of the other sign riding on that event: no event.\n"
    "  An event that ends back below HEIGHT x (1 - HYSTERESIS) with neither its average nor its signal having\n"
    "  fallen by the threshold from their highest has no top of its own: until the trough is back down where it\n"
    "  rose from (or as far above as a drift could have carried it), within `BASELINE`, the next event that starts\n"
    "  is one with it, as within `INTERVAL` (a noise peak crossing early on a slow rise, and the rise crossing\n"
    "  again, are one event).\n"
    "  An event still open at a record's end is reported there, and measured to the record's last sample.\n"
    "- `INTERVAL`: the shortest time from one event's start (its threshold crossing) to the next one's, ms:\n"
    "  events that start closer are one event, at the larger extreme of the two; events that start farther\n"
    "  apart are two once the first has fallen by the threshold (pairs 1.2 to 3 INTERVALs apart at 5 kHz too),\n"
    "  or, on the first's top, once the second rises from it as `HYSTERESIS` says.\n"
    "- `BASELINE`: the time, ms, of the quiet stretch a relative threshold's noise is measured as on: the\n"
    "  standard deviation of the signal about the local trough (which takes in a drift and the slow wander such a\n"
    "  stretch's own mean takes in) over the last stretch that long, and at least 64 samples however short the\n"
    "  time given, taken in sixteen groups laid out in time, of which those an event fills are left out (a group\n"
    "  lying further from the others than the noise's own lie once in 1000: wider for a low-passed noise, whose\n"
    "  correlated neighbours leave few independent samples in a group, so that its own larger groups count), and\n"
    "  without an event's rise before it crosses the threshold or its fall back: what one measures on a quiet\n"
    "  stretch of that length, for white, low-passed and 1/f noise alike. It depends on that stretch alone: a\n"
    "  change to a recording changes no event from two BASELINEs (and 150 ms, in which the trough takes a new\n"
    "  level) after it on. When the noise grows or shrinks, by any factor from 1/100 to 100, it is measured\n"
    "  within 15 % once one BASELINE (of 500 samples or more) has passed: a noise grown past the measure crosses\n"
    "  the threshold again and again within the INTERVAL, and a sixteenth of the BASELINE in which two such\n"
    "  crossings start is measured whole. No event is ever dropped to tell a grown noise from events: within one\n"
    "  BASELINE after a sudden growth the grown noise itself may cross the threshold and give rows, the lesser\n"
    "  fault beside losing trains, bursts or currents on slow ones; and a run of events the INTERVAL keeps apart\n"
    "  (a train, a burst of either sign) and an event's return to the trough are never taken for a grown noise.\n"
    "  A record shorter than half a BASELINE is too short to measure its noise: no event is searched in it, and\n"
    "  the run says so on standard error with the records' numbers.\n"
    "  Samples that repeat the one before them (a blanked stretch held at one value) say nothing of it, and where a\n"
    "  blank or a long event leaves fewer than half the groups, the measure as it stood stands in for the rest, so\n"
    "  that the measure always stands on half a BASELINE; where the samples are rounded it is never below the\n"
    "  standard deviation of a uniform spread over their step, so that samples tied or rounded to steps of up to 2\n"
    "  standard deviations measure what they hold. 0: the threshold is measured from 0, and only an absolute one\n"
    "  is taken.\n"
    "- `PRESET`: the number of the preset the settings came from; `NONPOSITIVE` 1 allows a height of 0 or below\n"
    "  with `RELATIVE` 0.\n\n"
    "E.g. `--set \"1010=1 0 -1 0.5 5 10 50 1 0 0\"` finds downward events that fall 5 standard deviations of the\n"
    "noise (measured over 50 ms) below the local trough, starting at least 10 ms apart. An event starts where the\n"
    "mean of two samples crosses the threshold, so a single noisy sample starts none. Each event stands at its\n"
    "extreme: the highest sample of an upward event, the lowest of a downward one; the measurements take its\n"
    "height there.\n\n"
    "A relative threshold's noise is first measured over each record's first BASELINE span, about the level its\n"
    "lower quantiles show (events rise above it), then twice more on the samples the detector finds quiet with\n"
    "that measure, so that the currents in that span, however many, are not measured as noise; a first span\n"
    "whose samples are all equal or not finite (a blanked start) is followed by up to three more. The span is\n"
    "then searched like the rest from the record's first sample: a current that starts 1 ms into a record or\n"
    "later is found as an absolute threshold finds it. A record that opens within an event, on its rise as on\n"
    "its fall (the signal standing the threshold beyond the level measured before it first comes back to that\n"
    "level, or falling by the threshold, 5 standard deviations of the noise measured over the record's second\n"
    "baseline span, in its first 32 samples before any event starts), has that event's start before it: the\n"
    "event is not found, and the run says so on standard error with the records' numbers; no event starts in it\n"
    "before the signal has come back to the level measured.\n\n"
    "Measured on 628 synthetic currents at 10 to 25 kHz (tests/data/cycle_events_truth.py: bursts from 2.5\n"
    "decay constants apart, currents riding on an earlier one's fall 3 to 6 decay constants after it, currents\n"
    "10 to 50 ms before a record's end, baselines drifting by up to one threshold per 100 ms either way, heights\n"
    "of 8 to 20 noise standard deviations, thresholds of 5 given in them or in A): all 628 are found, with no\n"
    "row more and no Height of the wrong sign; scipy's find_peaks with the same prominence and distance finds\n"
    "the 628 and 349 peaks of noise. At 5 standard deviations 10 s of white, low-passed (1 kHz at 50 kHz) or\n"
    "1/f noise alone give no event; currents on samples rounded to steps of 2 standard deviations, or after\n"
    "33 to 100 blanked samples, are each found once; and 20 inward currents of 30 standard deviations decaying\n"
    "over 20 to 100 ms give no row analysed upward (nor outward ones downward). On 879 more, after quiet lead-ins\n"
    "(the noise of each record's first 200 ms 1, 10 and 30 % of the rest), a flat start after one odd sample, a\n"
    "noise that grows 10 and 100 times mid-record, and currents 1 to 7 ms into each record at 5 to 50 kHz, 878\n"
    "are found (the other, 8 standard deviations at 5 kHz, find_peaks misses too), with no row more but 52 in\n"
    "the BASELINE after the noise grew (where a lead-in ends or the noise grows), the fault allowed there.\n\n";

constexpr char kColumnSwitches[] =
    "## Column switches\n\n"
    "The ids 0 to 58 switch the Table View's measurement columns on (`t`) and off (`f`): `--set 32=t` shows\n"
    "the period. docs/columns.md lists them with their defaults.\n";

}  // namespace

std::string SettingsReference() {
  std::unique_ptr<ZR::Doc::ParamCatalogue> catalogue;
  ZR::Doc::BuildParamCatalogue(catalogue);
  const ZR::Doc::Settings1 channel(catalogue.get());
  const ZR::Doc::GlobalSettings global;
  return PageHead("Settings") + kIntroduction +
         "## Detection and measurement (one set for each analysis channel)\n\n" + Rows(channel) + "\n" +
         kDetectionText + "## The analysis as a whole\n\n" + Rows(global) + "\n" + kColumnSwitches;
}

}  // namespace refdocs
