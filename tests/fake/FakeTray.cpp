#include "tests/fake/FakeTray.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

const char* OperationName(FakeTray::Operation operation) {
    switch (operation) {
    case FakeTray::Operation::Add:
        return "AddIcon";
    case FakeTray::Operation::Modify:
        return "ModifyIcon";
    case FakeTray::Operation::Delete:
        return "DeleteIcon";
    }
    return "?";
}

} // namespace

IconHandle FakeTray::LoadIcon(unsigned resourceId) {
    IconHandle icon = nullptr;
    if (std::find(failingLoads.begin(), failingLoads.end(), resourceId) == failingLoads.end()) {
        icon = reinterpret_cast<IconHandle>(static_cast<std::uintptr_t>(m_loaded.size() + 1));
        m_loaded[icon] = resourceId;
    }
    m_log.Record("LoadIcon " + std::to_string(resourceId) + " -> " +
                 std::to_string(reinterpret_cast<std::uintptr_t>(icon)));
    return icon;
}

bool FakeTray::AddIcon(const TrayIconRecord& record) {
    const bool succeeded = shellAnswers && m_shown.count(KeyOf(record)) == 0;
    if (succeeded)
        m_shown[KeyOf(record)] = record;
    return Record(Operation::Add, record, succeeded);
}

bool FakeTray::ModifyIcon(const TrayIconRecord& record) {
    const bool succeeded = shellAnswers && m_shown.count(KeyOf(record)) != 0;
    if (succeeded)
        m_shown[KeyOf(record)] = record;
    return Record(Operation::Modify, record, succeeded);
}

bool FakeTray::DeleteIcon(const TrayIconRecord& record) {
    const bool succeeded = shellAnswers && m_shown.erase(KeyOf(record)) != 0;
    return Record(Operation::Delete, record, succeeded);
}

std::map<FakeTray::Key, TrayIconRecord>::const_iterator FakeTray::Find(unsigned iconId) const {
    return std::find_if(m_shown.begin(), m_shown.end(),
                        [iconId](const auto& shown) { return shown.first.second == iconId; });
}

bool FakeTray::IsPresent(unsigned iconId) const {
    return Find(iconId) != m_shown.end();
}

const TrayIconRecord& FakeTray::Shown(unsigned iconId) const {
    auto it = Find(iconId);
    if (it == m_shown.end())
        throw std::logic_error("icon not present: " + std::to_string(iconId));
    return it->second;
}

unsigned FakeTray::ShownResource(unsigned iconId) const {
    return IsPresent(iconId) ? ResourceOf(Shown(iconId).icon) : 0;
}

unsigned FakeTray::ResourceOf(IconHandle icon) const {
    auto it = m_loaded.find(icon);
    return it == m_loaded.end() ? 0 : it->second;
}

bool FakeTray::Record(Operation operation, const TrayIconRecord& record, bool succeeded) {
    char numbers[128];
    std::snprintf(numbers, sizeof numbers,
                  " %u window=%u flags=0x%x message=0x%x icon=%u tip=", record.iconId,
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(record.window)),
                  record.flags, record.callbackMessage, ResourceOf(record.icon));
    m_log.Record(OperationName(operation) + std::string(numbers) + record.tip +
                 (succeeded ? " -> 1" : " -> 0"));
    calls.push_back({operation, record, succeeded});
    return succeeded;
}
