#include "call_log.h"

#include "host.h"

#include <cstdio>

namespace stand_in {

void record_call(Host& host, std::string function, std::vector<std::string> arguments)
{
    host.call_log->push_back(HostCall{std::move(function), std::move(arguments)});
}

std::string address_of(const void* pointer)
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

}  // namespace stand_in
