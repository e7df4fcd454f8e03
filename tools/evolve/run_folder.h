// The folder of one run. A run builds its files in DIR.partial, beside the
// output folder DIR, and swaps it in whole when it is done; one that stops
// early leaves DIR as it was and what it did in DIR.partial. A lock beside
// DIR keeps a second run out while one is live.
#pragma once

#include <string>

namespace evolve {

class RunFolder {
  public:
    // Takes `out` for this run: locks it and empties DIR.partial. Throws
    // WriteError when another run holds it, or when DIR or DIR.partial holds
    // anything but a run's files.
    explicit RunFolder(const std::string& out);
    ~RunFolder();  // lets `out` go
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& out() const { return out_; }
    // Where this run writes: DIR.partial.
    const std::string& partial() const { return partial_; }

    // DIR.partial becomes DIR; the run that was there goes. Throws WriteError.
    void publish();

  private:
    std::string out_, partial_, lockPath_;
    int lock_ = -1;
};

}  // namespace evolve
