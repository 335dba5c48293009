#include "app/win/message_loop.h"

#include <algorithm>

namespace {

// Messages that arrive all the time without anything happening; they do not
// end an idle period.
bool EndsIdlePeriod(const MSG& message) {
    switch (message.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_PAINT:
        case 0x0118:  // WM_SYSTIMER: the caret's blink
            return false;
        default:
            return true;
    }
}

template <typename T>
void Remove(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

void MessageLoop::AddFilter(MessageFilter* filter) { filters_.push_back(filter); }
void MessageLoop::RemoveFilter(MessageFilter* filter) { Remove(filters_, filter); }
void MessageLoop::AddIdleHandler(IdleHandler* handler) { idleHandlers_.push_back(handler); }
void MessageLoop::RemoveIdleHandler(IdleHandler* handler) { Remove(idleHandlers_, handler); }

bool MessageLoop::Filter(MSG& message) {
    // A filter may unregister itself while it runs: walk a copy.
    const std::vector<MessageFilter*> filters(filters_.rbegin(), filters_.rend());
    for (MessageFilter* filter : filters) {
        if (std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) continue;
        if (filter->PreTranslateMessage(message)) return true;
    }
    return false;
}

void MessageLoop::RunIdleHandlers() {
    const std::vector<IdleHandler*> handlers(idleHandlers_);
    for (IdleHandler* handler : handlers) {
        if (std::find(idleHandlers_.begin(), idleHandlers_.end(), handler) != idleHandlers_.end()) handler->OnIdle();
    }
}

int MessageLoop::Run() {
    bool idle = true;
    MSG message{};
    for (;;) {
        if (idle && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            RunIdleHandlers();
            idle = false;
        }
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) continue;
        if (!got) return static_cast<int>(message.wParam);
        if (!Filter(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (EndsIdlePeriod(message)) idle = true;
    }
}
