#pragma once

#include "app/connect_procedure.h"
#include "app/program.h"

namespace interlock {

// Opens and closes the program's serial channel for the connect procedure.
class ProgramChannelOpener : public ChannelOpener {
  public:
    explicit ProgramChannelOpener(Program& program) : program_(program) {}
    void close() override { program_.closeChannel(); }
    Opened open(const std::string& path) override {
        Opened opened;
        if (program_.openChannel(path, opened.detail))
            opened.channel = &program_.channel();
        return opened;
    }

  private:
    Program& program_;
};

} // namespace interlock
