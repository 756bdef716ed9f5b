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
    "when the baseline is searched for (1039 = 0), the foot of the event's rise, found by one rule over 0.2 ms\n"
    "averages laid back from the peak (at most 1000 ms before it, and not before the previous event's peak; where the\n"
    "1000 ms end first, no average is a foot whose course before it, over as long as the rise took, lies beyond them,\n"
    "so a noise peak late on a return slower than that reads from the return, not from the current's bottom): the\n"
    "foot is the knee of the rise, the average below the top from which the signal rose to the peak at the steepest\n"
    "pace beyond what the noise allows (the top: the averages about the peak that stand within the noise's reach of\n"
    "its highest, however far the peak sample, the largest of the noise's samples on that top, stands above them; the\n"
    "noise is measured at the time scale of the rise, so noise that wanders is not taken for a rise, and samples held\n"
    "at one value (a blank) tell nothing of it; a walk too short for that, from a peak a few milliseconds before, as\n"
    "in a burst, takes the noise the last longer walk measured), among the averages that end a\n"
    "rise: none nearer the peak lies lower, the signal before it, over as long as the rise took, falls no faster than\n"
    "the rise came down to it (the course ends an average short of the bottom of an earlier current of the other sign\n"
    "whose return rose to the peak, such as a stimulus's artefact: past it lies that current, not the course), and it\n"
    "is not the bottom of a current of the other sign whose return rose to the peak (that current fell into it no\n"
    "slower, to an average, than it rose out of it). Where the only averages that end a rise are such bottoms and\n"
    "the peak stands above the course the current of the other sign fell from, it is a current that rose out of that\n"
    "one's trough (an alternating burst's): its knee is where the signal turned from the return to its own rise, the\n"
    "average between that bottom and the peak farthest below the straight line joining the two, by more than the\n"
    "noise of a difference of two averages (a return's course bulges above that line); before, such a current read\n"
    "its Height from its own top (0.9 pA for 37 pA). There the signal has come back up from that bottom, and rises\n"
    "on to the peak faster than it came back: a noise peak at the end of the long return of two overlapping currents\n"
    "read 108.9 pA from the deeper one's bottom before. Past the knee the rise goes on where the signal before it was\n"
    "still rising to it, faster than over as long again before that (a shoulder: a second current starting on the\n"
    "first one's rise), so a shoulder reads its Height from where its first current rose. The baseline is the level\n"
    "of the course there, over as long again as the rise took (at least 1 ms): their mean, or the line through them\n"
    "where the course has a slope of its own. Every constant is the noise's or a time taken from the rise, so one\n"
    "signal sampled at 5 to 100 kHz reads the same Heights, and a recording turned over reads every cell turned over.\n"
    "A small event riding on a larger one's fall thus reads its Height from where that fall had got to at its onset,\n"
    "never from the larger event's top nor from the level before it; one riding on the return of a current of the\n"
    "other sign reads it from where the return had got to, never from that current's extreme; a slow rise (rise time\n"
    "constants up to 15 ms) reads its Height from the level before it, never from its own floor; and a peak of the\n"
    "noise, which stands above the signal just before it by no more than the noise allows and rose from no average\n"
    "that ends a rise, is no event: it gets no row, and the event before it runs on over it to the next one. So is\n"
    "the top of a return of a current of the other sign that stands no higher than the course that current left (a\n"
    "rider of the other sign on a larger current's top comes back onto that top, and its noise is no event). A\n"
    "row of two currents that start closer than the detector's interval (one event, at the larger extreme) reads the\n"
    "larger one's Height from where its own rise began: on the other's top or fall that is where the other had got to\n"
    "(the other is then in no row); README example 3's -68 pA row at 0.17 s, which read -84 pA from the first\n"
    "current's foot before, is of this kind, and five more of its rows now read a later, steeper part of their rise\n"
    "from where it began (-8.6 to -4.1, -15.8 to -10.1, -21.2 to -9.3, -44.3 to -35.9 and -25.1 to -11.9 pA). No row\n"
    "reaches into the next event's rise: a foot whose stretch reaches past the point where the signal came back past\n"
    "the previous event's peak is moved back to the lowest point before it. Where that peak stands beyond this one,\n"
    "a trough within a millisecond after it is its return (a biphasic artefact's second phase after the artefact's\n"
    "own row), not the foot: the foot lies on the course the signal came back to. An earlier event that peaked short of\n"
    "this one stood on this one's rise (a shoulder or a notch the detector split off) when the signal dipped from it\n"
    "briefly and shallowly: its lowest point between the two peaks came sooner after that peak than the peak came\n"
    "after its rise left its foot's level, and it never fell back to half its height; the foot is then sought over\n"
    "both, so that the later row can read its Height from the foot of the whole rise, and the earlier peak gives no\n"
    "row (it gave one before, a second row on one current, with TEnd at TStart and blank widths). Where the signal\n"
    "came back out of the dip between the two more slowly than it fell into it (to and from half way down), the dip\n"
    "is a current of the other sign riding on the rise: the earlier row stays, ending where the signal fell half way\n"
    "into it, and the return gives none. In noise a rider on a steep rise may look a notch and lose the earlier row\n"
    "(about one in ten). So it is for a rider of the other sign that starts on the top: where the signal fell from the\n"
    "earlier peak straight into a trough, came back out of it more slowly than it fell in, and rose no higher than\n"
    "that peak by more than the noise allows (the larger current's top, still rising a little), the return gives no\n"
    "row and the earlier row ends where the signal fell half way into the trough.\n"
    "Measured with noise (yardstick, seeds 5147-5166): isolated currents of 8 to 20 standard deviations (shoulders\n"
    "and notched rises among them), rise time constants 0.1 to 15 ms and decays 2 to 200 ms, read Height within four\n"
    "noise standard deviations in about 99 of 100 rows (95 of 100 on seeds 3001-3020 before); riders 0.5 to 20 decay\n"
    "constants after larger currents of either sign read Height within a factor of two of their rise above the course\n"
    "at their onset in about 98 of 100.\n"
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
