// What the recording reader says about the units its header gives the channels: refusals of a
// unit that cannot be one, and notes on a unit read as the base unit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// A name ending in a unit in parentheses, as spreadsheets write it ("Vm (mV)"): the name before
// it and the unit; false for any other name.
bool SplitParenthesisedUnit(std::string_view name, std::string_view* bare, std::string_view* unit);

// The quoted form the reader takes a name and its unit in: 'Vm [mV]'.
std::string BracketForm(std::string_view name, std::string_view unit);

// A control character in a unit is damage, not a unit: the host's texts end at a NUL, so the
// channel would show a unit other than the one read ("m\0V" as metres). The refusal, with the
// known unit meant where one is plain, and *at the character's offset in units; empty otherwise.
std::string UnitCharacterFault(std::string_view units, size_t* at);

// A unit the file leaves out, or one the host does not know, is read as the base unit: the note
// saying so, with the known unit an unknown one stands for; for a unit left out, what heights then
// count and the bracket form that gives it one (the unit in parentheses or spelt with '_' or '.',
// else a unit in which its largest value among the first rows, `largest`, reads as the quantity its
// name stands for: a current's largest between 1 pA and 100 nA (pA, nA or A), a voltage's between
// 1 mV and 1 V (mV, V or uV), any of them for another name; at most two, the likelier first; where
// none fits, pA or nA for a current, mV for a voltage, the choice for another). Empty for a known
// unit.
std::string UnitNote(std::string_view name, std::string_view units, double largest);

// The bracket form a channel without a unit in brackets is given where a line before the header
// gives `unit` for the channels: the unit its name holds in parentheses or spelt with '_' or '.';
// `unit` where the name stands for that unit's quantity or for none it tells; else (a current
// given a voltage's unit, or the reverse) the likelier unit UnitNote gives for its largest value.
std::string KeyedUnitForm(std::string_view name, std::string_view unit, double largest);

// A Time column without a unit (headed `name`) is read in seconds: the note giving the rate that
// makes; where that rate is one times in ms or in minutes give at the rates recordings are made at
// (1 to 100 kHz), the unit they are most likely in (or may be, where seconds are as likely), the
// rate they then give and the change that makes them seconds.
std::string TimeUnitNote(std::string_view name, double period);

}  // namespace host
