#pragma once
// Binds the handlers named by the window templates to the program's operations.
#include "app/program.h"
#include "ui/window_system.h"

namespace korvane {

class Dispatcher final : public ui::EventSink {
  public:
    explicit Dispatcher(Program& program) : program_(program) {}
    bool Dispatch(ui::HandlerId handler, int argument) override;

  private:
    Program& program_;
};

} // namespace korvane
