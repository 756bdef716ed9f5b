// TVF_Grid::CellData and its kinds: one cell's value handed to an in-cell editor.
#pragma once

#include "base/String.h"

#include <cstdint>

namespace TVF_Grid {

class CellData {
 public:
  virtual ~CellData() = default;
  // A shared copy of the text.
  virtual void GetText(QOR::String& text) const = 0;
  virtual void SetText(const QOR::String& text) = 0;
};

class CellStringData : public CellData {};

class CellUint32Data : public CellData {
 public:
  // Stores n; the text becomes n's decimal digits (as a signed 32-bit number).
  virtual void SetValue(uint32_t n) = 0;
  virtual uint32_t GetValue() const = 0;
};

class TVF_CellStringData final : public CellStringData {
 public:
  void GetText(QOR::String& text) const override { text = mText; }
  void SetText(const QOR::String& text) override { mText = text; }

 private:
  QOR::String mText;
};

class TVF_CellUint32Data final : public CellUint32Data {
 public:
  void GetText(QOR::String& text) const override { text = mText; }
  void SetText(const QOR::String& text) override { mText = text; }
  void SetValue(uint32_t n) override;
  uint32_t GetValue() const override { return mValue; }

 private:
  uint32_t mValue = 0;
  QOR::String mText;
};

}  // namespace TVF_Grid
