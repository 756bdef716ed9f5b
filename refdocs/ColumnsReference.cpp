// The reference page of the Table View's measurement columns, read from the catalogue.
#include "refdocs/ColumnsReference.h"

#include "document/AnalysisType.h"
#include "document/ParamCatalogue.h"
#include "document/ParameterUnits.h"
#include "document/Settings1.h"
#include "refdocs/ReferenceNotes.h"
#include "refdocs/ReferenceText.h"

#include <memory>
#include <stdexcept>

namespace refdocs {
namespace {

// A stand-in for the channel's unit text, replaced by words on the page.
constexpr wchar_t kChannelUnit[] = L"#";

// "unit", "unit/s", "unit.s", "ms", "s" or nothing: the channel's unit keeps its prefix (mV/s).
std::string UnitText(int32_t id) {
  const QOR::UnitWithPrefix unit = ZR::Doc::ParameterUnits(id, kChannelUnit, 0);
  std::string text = Narrow(QOR::FormatUnitPrefix(unit).c_str());
  const size_t mark = text.find('#');
  if (mark != std::string::npos) text.replace(mark, 1, "unit");
  return text;
}

std::string ShownText(const ZR::Doc::Settings1& switches, int32_t parameterId) {
  const ZR::Doc::ZRSetting* setting = switches.FindById(ZR::Doc::ColumnSwitchId(parameterId));
  return setting != nullptr && Narrow(setting->ToText(true).GetText()) == "t" ? "on" : "off";
}

std::string TypeSection(const ZR::Doc::ParamCatalogue& catalogue, const ZR::Doc::Settings1& switches, int type) {
  std::string out = "## " + std::to_string(type) + " " + Narrow(ZR::Doc::AnalysisTypeName(type).GetText()) +
                    "\n\n| column | long name | unit | id | shown | what it measures | blank when |\n"
                    "|---|---|---|---|---|---|---|\n";
  for (int index = 0; index < catalogue.Count(type); ++index) {
    const int32_t id = catalogue.GetId(type, index);
    const char* blank = BlankWhen(id);
    if (blank == nullptr) throw std::logic_error("measurement " + std::to_string(id) + " has no note");
    out += "| " + Narrow(catalogue.GetShortName(type, index).GetText()) + " | " +
           Narrow(catalogue.GetLongName(type, index).GetText()) + " | " + UnitText(id) + " | " +
           std::to_string(id) + " | " + ShownText(switches, id) + " | " +
           Narrow(catalogue.GetDescription(type, index).GetText()) + " | " + blank + " |\n";
  }
  const char* noise = NoiseNoteOf(type);
  return noise == nullptr ? out + "\n" : out + "\n" + noise + "\n";
}

constexpr char kIntroduction[] =
    "The Table View shows one row per event and one column per measurement that is switched on, headed by the\n"
    "column's short name and its unit: `APA (mV)` on a channel recorded in mV. \"unit\" below is the channel's\n"
    "unit with its prefix; slopes are in that unit per second (mV/s), areas in that unit times seconds (mV.s).\n"
    "\"id\" is the setting that switches the column (`--set 32=t` shows Period), \"shown\" its default. A blank\n"
    "cell is a measurement that could not be made for that event; the summary's Count row counts the cells that\n"
    "hold a value. The types are in the order in which the settings dialog lists them.\n\n"
    "A blank cell is one space in the table text, the copy, the Data Pad and the CSV export, so that every line\n"
    "keeps its columns; pandas reads it as missing with `na_values=[\" \"]` (README, \"Reading the table\").\n"
    "A recording of several records gives one table: the rows run on, while TStart, TEnd and Count start again\n"
    "in each record; TimeDate runs on, the recording's start plus TStart, in the data file's own time (double\n"
    "precision: late in a long record TStart, held in single precision, may differ in its last figure).\n\n"
    "MaxNegSlope is the steepest fall in its region, from 1031 after the peak to the event's end, as a positive\n"
    "number: a signal falling at 1 V/s reads 1000 mV/s. A negative value means that the signal rises all through\n"
    "the region.\n\n"
    "An event's end is where the signal falls back to the peak end level (1041), or, when it does not before\n"
    "the next event, the sample before the next event's first (the record's last sample for the last event):\n"
    "Width, TEnd, PeakArea and ResponseArea then run to there, and take in the next event's baseline stretch.\n\n"
    "Close events. Each event's baseline is the flattest stretch before it, so a previous event's tail still\n"
    "under it is taken for baseline; an event that rises by the detector's threshold on an earlier one's fall, at\n"
    "least the detector's interval (1010) after that one's start, is an event of its own; events that start closer\n"
    "are one event, at the larger extreme.\n"
    "Types 0 and 2 (General - Unstimulated, Synaptic), whose detector gives only each event's extreme, take instead,\n"
    "when the baseline is searched for (1039 = 0), the foot of the event's rise: walking back from the peak over\n"
    "0.2 ms averages down the rise to where the signal stood when it began to rise, the baseline is the mean of the\n"
    "averages there within four of their noise standard deviations of the lowest (at most 1000 ms before the peak).\n"
    "Every rule of the walk is in time, so one signal sampled at 5 to 50 kHz reads the same Heights. A\n"
    "small event riding on a larger one's fall thus reads its Height from where that fall had got to at its onset, never\n"
    "from the larger event's top (which would turn its sign) nor from the level before the larger event; the larger\n"
    "one is measured from its own foot, and its end, Width and areas stop at the small one's foot. An earlier event\n"
    "that peaked short of this one stood on this one's rise (a shoulder or a notch the detector split off) when the\n"
    "signal dipped from it briefly and shallowly: its lowest point between the two peaks came sooner after the\n"
    "earlier one than that peak came after its rise left its foot's level, and it never fell back to half its height;\n"
    "the walk goes on past it, so that the later row can read its Height from the foot of the whole rise. One that\n"
    "fell for longer than it rose had a top of its own, however shallow the dip (two currents 4 ms apart): the later\n"
    "row reads its Height from where its fall had got to. No row reaches into the next event's rise: a foot whose stretch\n"
    "reaches past the point where the signal came back past the previous event's peak is moved back to the lowest\n"
    "point before it. The walk keeps to\n"
    "the event's own rise: when it finds no flat stretch, the foot is where the signal, seen back from the peak, goes\n"
    "on falling at under an eighth of the rise's steepest pace, or falls again only after a pause longer than the\n"
    "rise, or where the pace dropped threefold to that of a slope the walk followed for over 20 ms or down to the\n"
    "extreme of a current of the other sign. An event riding on the return of a current of the other sign thus reads\n"
    "its Height from where the return had got to at its onset, never from that current's extreme, and a peak of the\n"
    "noise on such a return reads as the noise peak it is, from the return about it.\n"
    "A row of two currents that start closer than the detector's interval (one event, at the larger extreme) is\n"
    "measured from where the signal last stood within its noise for 4 ms, and for as long as it lies from that\n"
    "extreme: a current that starts on another's top or plateau after such a stretch reads its own Height above it\n"
    "(the other is then in no row); one that starts on the other's rise, or on its top sooner, reads both from the\n"
    "foot of the first one's rise.\n"
    "Measured with noise of 1 to 10 % of the smaller height: currents of 12 pA riding 2 to 16 decay constants after\n"
    "ones of 70 pA, of 10 pA 3 to 16 decay constants after ones of -60 pA (decay 20 to 100 ms; the detector finds\n"
    "none 1 or 2 after) and of 17 to 21 pA 2 to 20 decay constants after ones of -60 to -150 pA (decay 5 to 8 ms),\n"
    "read Height within a factor of two of their height above the foot, the larger ones within four noise standard\n"
    "deviations of theirs, and isolated slow rises (time to peak 1 to 5 ms; rise time constants 2 to 6 ms at 20 and\n"
    "50 kHz) within four noise standard deviations.\n"
    "On noise, Height reads high by up to about three standard deviations of the noise (the farthest sample), and\n"
    "Width50 short: its end is the first sample of the fall at half height, which noise of 4 % of the height\n"
    "brings about 1 ms forward on a 5 ms decay (25 %).\n\n";

}  // namespace

std::string ColumnsReference() {
  std::unique_ptr<ZR::Doc::ParamCatalogue> catalogue;
  ZR::Doc::BuildParamCatalogue(catalogue);
  const ZR::Doc::Settings1 switches(catalogue.get());
  std::string out = PageHead("Measurement columns") + kIntroduction;
  for (int pos = 0; pos < ZR::Doc::kAnalysisTypeCount; ++pos)
    out += TypeSection(*catalogue, switches, ZR::Doc::AnalysisTypeFromListPos(pos));
  return out;
}

}  // namespace refdocs
