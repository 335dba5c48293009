// The user-interface thread's message loop. Modeless windows register a
// filter that sees every message before it is dispatched (this is how they
// get dialog keyboard handling); idle handlers run when the queue runs dry.
#pragma once

#include <windows.h>

#include <vector>

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // True swallows the message.
    virtual bool PreTranslateMessage(MSG& message) = 0;
};

class IdleHandler {
public:
    virtual ~IdleHandler() = default;
    virtual void OnIdle() = 0;
};

class MessageLoop {
public:
    void AddFilter(MessageFilter* filter);
    void RemoveFilter(MessageFilter* filter);
    void AddIdleHandler(IdleHandler* handler);
    void RemoveIdleHandler(IdleHandler* handler);

    // Runs until the quit message and returns the code it carries.
    int Run();

private:
    bool Filter(MSG& message);
    void RunIdleHandlers();

    std::vector<MessageFilter*> filters_;  // newest last; asked newest first
    std::vector<IdleHandler*> idleHandlers_;
};
