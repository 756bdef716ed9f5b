// MGraph1::MappingRecord: the {scale, offset} pair that maps a value v to (v + offset) * scale.
#pragma once

namespace MGraph1 {

// As a pixel mapping, v is a data value and the result a pixel offset from the plot rectangle's
// left (X) or top (Y) edge; back: pixel / scale - offset. As a unit conversion, v is a stored
// value and the result the value shown in axis units.
struct MappingRecord {
  double scale = 1.0;
  double offset = 0.0;

  double Map(double value) const noexcept { return (value + offset) * scale; }
  double Unmap(double pixel) const noexcept { return pixel / scale - offset; }
};

}  // namespace MGraph1
