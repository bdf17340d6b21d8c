// The message line: every text a plug-in shows the user, formatted like printf.
#include "call_log.h"
#include "host.h"
#include "plugin_call.h"

#include <cstdarg>
#include <cstdio>

using namespace stand_in;

static std::string format_message(const char* format, va_list values)
{
    va_list measuring;
    va_copy(measuring, values);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length < 0)
        return format;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, values);
    text.resize(static_cast<size_t>(length));
    return text;
}

extern "C" void display_message(const char* format, ...)
{
    Host& host = active_host();
    check_host_state(host, "display_message");
    va_list values;
    va_start(values, format);
    std::string text = format_message(format, values);
    va_end(values);

    if (tracing(host))
        record_call(host, "display_message", {format, text});
    host.messages.push_back(std::move(text));
}
