// The recording view's cursor of a host document: where modules last moved the view.
#pragma once

#include "host/common/HostObject.h"
#include "hostapi/HostViewCursor.h"

#include <cstdint>
#include <vector>

namespace host {

class ViewCursor final : public HostObject<IHostViewCursor> {
 public:
  struct Move {
    double seconds;
    int32_t show;
  };

  HRESULT STDMETHODCALLTYPE MoveToTime(double seconds, int32_t show) noexcept override;
  // Every move in order.
  const std::vector<Move>& Moves() const noexcept { return mMoves; }

 private:
  ~ViewCursor() override = default;
  void* FindInterface(REFIID iid) override;

  std::vector<Move> mMoves;
};

// The type id of the view cursor in the framework's type registry; 0 without one.
uint32_t ViewCursorTypeId() noexcept;

}  // namespace host
