// ZR::Dlg::UpdatingScope: holds the settings dialog's updating flag for one handler or set-up,
// and lets it go only when it took it.
#pragma once

namespace ZR::Dlg {

class UpdatingScope {
 public:
  explicit UpdatingScope(bool& flag) noexcept : mFlag(flag), mTook(!flag) { mFlag = true; }
  ~UpdatingScope() {
    if (mTook) mFlag = false;
  }
  UpdatingScope(const UpdatingScope&) = delete;
  UpdatingScope& operator=(const UpdatingScope&) = delete;

  // False when the flag was already set: a guarded handler then does nothing.
  bool Took() const noexcept { return mTook; }

 private:
  bool& mFlag;
  bool mTook;
};

}  // namespace ZR::Dlg
