#pragma once

#include "platform/ProgramService.h"

// The program file's name, "Vellinor" unless a test renames it.
class FakeProgram : public ProgramService {
public:
    std::string ProgramName() override { return name; }

    std::string name = "Vellinor";
};
