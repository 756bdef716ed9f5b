// QOR::DialogBase: the base of the module's dialogs: the template is taken from a module's
// resources in the application's language and the dialog is built from that copy in memory,
// then widened to its font's true character width before it is set up.
#pragma once

#include "platform/owl/TDialog.h"
#include "platform/owl/TResId.h"

namespace OWL {
class TDialogRes;
}  // namespace OWL

namespace QOR {

class DialogBase : public OWL::TDialog {
 public:
  // The template resId of module, else of the module's own resources (TModule::Default), in
  // the language of the parent's application. A template that is missing makes Create and
  // Execute fail.
  DialogBase(OWL::TWindow* parent, const OWL::TResId& resId, OWL::TModule* module = nullptr);

  // Fits the layout to the font's width (FitDialogToFontWidth), then sets the dialog up.
  bool EvInitDialog(HWND focus) override;

 private:
  DialogBase(OWL::TWindow* parent, const OWL::TDialogRes& res, OWL::TModule* module);
};

}  // namespace QOR
