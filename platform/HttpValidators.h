#pragma once

#include <string>

// What names the edition of a file a server sent: its ETag and Last-Modified
// header values, verbatim (weak tags included); empty when it sent none.
struct HttpValidators {
    std::string etag;
    std::string lastModified;
};

// The request headers that ask the server to send the file only when its
// edition is no longer the one named: If-None-Match and If-Modified-Since for
// the values there are, each line ended by CR LF. A value that holds a CR or a
// LF, which no server sends, would end its header early and is left out.
std::string ConditionalRequestHeaders(const HttpValidators& validators);
