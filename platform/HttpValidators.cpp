#include "platform/HttpValidators.h"

namespace {

void AddHeader(const char* name, const std::string& value, std::string& headers) {
    if (!value.empty() && value.find_first_of("\r\n") == std::string::npos)
        headers += name + (": " + value) + "\r\n";
}

} // namespace

std::string ConditionalRequestHeaders(const HttpValidators& validators) {
    std::string headers;
    AddHeader("If-None-Match", validators.etag, headers);
    AddHeader("If-Modified-Since", validators.lastModified, headers);
    return headers;
}
