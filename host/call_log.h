// A record of the calls a plug-in makes into the host, for tests that check
// the order and the arguments of those calls. Off unless a log is attached.
#pragma once

#include <string>
#include <vector>

namespace stand_in {

struct Host;

struct HostCall {
    std::string function;
    std::vector<std::string> arguments;

    bool operator==(const HostCall& other) const
    {
        return function == other.function && arguments == other.arguments;
    }
};

void record_call(Host& host, std::string function, std::vector<std::string> arguments);

// A pointer as text, to tell whether two calls were given the same address.
std::string address_of(const void* pointer);

}  // namespace stand_in
