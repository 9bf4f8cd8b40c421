#include "bench/BenchServices.h"

#include "platform/Services.h"

BenchServices::BenchServices() {
    Provide<MessageService>(this);
}

BenchServices::~BenchServices() {
    Provide<MessageService>(nullptr);
}

void BenchServices::ShowMessage(unsigned, unsigned) {}

void BenchServices::ShowText(const std::string&, unsigned) {}
