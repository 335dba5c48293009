// The user-interface thread's message loop. Modeless windows register a
// filter that sees every message before it is dispatched (this is how they
// get dialog keyboard handling).
#pragma once

#include <windows.h>

#include <vector>

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // True swallows the message.
    virtual bool PreTranslateMessage(MSG& message) = 0;
};

class MessageLoop {
public:
    void AddFilter(MessageFilter* filter);
    void RemoveFilter(MessageFilter* filter);

    // Runs until the quit message and returns the code it carries.
    int Run();

private:
    bool Filter(MSG& message);

    std::vector<MessageFilter*> filters_;  // newest last; asked newest first
};
