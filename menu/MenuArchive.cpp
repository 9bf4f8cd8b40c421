#include "menu/MenuArchive.h"

#include "menu/ArchiveReader.h"
#include "menu/ArchiveWriter.h"

const char* ArchiveErrorName(ArchiveError error) {
    switch (error) {
    case ArchiveError::none:
        return "none";
    case ArchiveError::endOfFile:
        return "endOfFile";
    case ArchiveError::badClass:
        return "badClass";
    case ArchiveError::badSchema:
        return "badSchema";
    case ArchiveError::badIndex:
        return "badIndex";
    case ArchiveError::noObject:
        return "no object";
    }
    return "unknown";
}

std::vector<std::uint8_t> WriteMenuArchive(const CMenuData& menu) {
    ArchiveWriter writer;
    writer.WriteObject(menu);
    return writer.TakeBytes();
}

ArchiveReadResult ReadMenuArchive(const std::uint8_t* data, std::size_t length) {
    ArchiveReader reader(data, length);
    ArchiveReadResult result;
    result.menu = reader.ReadObject();
    result.error = reader.Error();
    return result;
}
