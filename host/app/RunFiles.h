// The files an analyze run reads and writes, as the options name them: before the analysis, the
// outputs it cannot write there, that are one of its inputs or that another of its outputs writes
// too; afterwards, the outputs a failed run did not come to write.
#pragma once

#include "host/app/AnalyzeArguments.h"

#include <string>
#include <vector>

namespace ondara_host {

class RunFiles {
 public:
  explicit RunFiles(const AnalyzeArguments& args);

  // The line refusing the first output that cannot be written where it is named, that is one of
  // the run's inputs (the recording, the documents file, the settings script) or that an output
  // named before it writes too, however its path is written; the settings script's screenshots
  // count among the outputs. Empty when the run may write them all. Nothing is made or changed.
  std::string Refusal() const;

  // The run came to write the outputs of option ("--copy"; "--documents"): each is written, or a
  // line has said why not.
  void Taken(const wchar_t* option);
  // "not written: --copy FILE, --data-pad FILE": the outputs the run did not come to write; empty
  // when it came to them all.
  std::string UntakenLine() const;

 private:
  struct Output {
    const wchar_t* option;
    std::wstring path;
    bool folder;  // pictures go into it, named after the views
    bool taken;
  };
  struct Input {
    std::wstring path;
    const char* what;  // "the recording"
    bool documents;    // the documents file, read and then saved over
  };
  // Where the output would overwrite an input: the words saying so, else empty.
  std::string InputOverwritten(const Output& output) const;
  // Where the output would write a file that an output before it (index) writes too: the words
  // saying so, else empty.
  std::string OutputOverwritten(size_t index) const;
  // The files a picture folder's outputs would be, of those the folder holds or will hold.
  std::vector<std::wstring> PicturesIn(const Output& output) const;
  // The picture of a picture folder's output that file would be, else empty.
  std::wstring PictureAt(const Output& folder, const std::wstring& file) const;
  // Whether a file of that name in a print preview's folder would be one of its pages.
  bool PageName(const std::wstring& name) const;

  std::vector<Output> mOutputs;
  std::vector<Input> mInputs;
  std::vector<std::wstring> mViews;
};

}  // namespace ondara_host
