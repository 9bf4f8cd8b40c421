#pragma once

#include <chrono>

// The time one request may take, counted from its start.
class RequestDeadline {
public:
    explicit RequestDeadline(unsigned milliseconds)
        : m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds)) {}

    // Zero once the deadline has passed.
    unsigned RemainingMs() const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            m_end - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<unsigned>(left.count()) : 0;
    }

private:
    std::chrono::steady_clock::time_point m_end;
};
