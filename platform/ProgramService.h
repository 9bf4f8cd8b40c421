#pragma once

#include <string>

// Facts about the running program itself.
class ProgramService {
public:
    virtual ~ProgramService() = default;

    // The program file's name without folder and extension ("Vellinor"): the
    // caption of every message box and the agent name of its HTTP requests.
    virtual std::string ProgramName() = 0;
};
