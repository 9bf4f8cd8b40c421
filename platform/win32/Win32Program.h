#pragma once

#include "platform/ProgramService.h"

// The name of the running program's file.
class Win32Program : public ProgramService {
public:
    std::string ProgramName() override;
};
