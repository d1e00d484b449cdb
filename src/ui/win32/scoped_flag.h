#pragma once
// Raises a flag for the length of a scope and puts back what it was, also on nested use.

namespace korvane::ui::win32 {

class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = previous_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
    bool previous_;
};

} // namespace korvane::ui::win32
