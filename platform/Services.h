#pragma once

#include <cassert>

// The program reaches everything outside standard C++ through a handful of small
// service interfaces. A program (or a test) provides one implementation of each
// service it needs at start-up; the core asks for it with Use<Service>().
template <class Service> struct ServiceSlot {
    static inline Service* instance = nullptr;
};

template <class Service> Service& Use() {
    assert(ServiceSlot<Service>::instance != nullptr && "service not provided");
    return *ServiceSlot<Service>::instance;
}

template <class Service> void Provide(Service* implementation) {
    ServiceSlot<Service>::instance = implementation;
}
