#include "TimedProgram.h"

std::string TimedProgram::Name() const {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
