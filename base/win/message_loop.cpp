#include "base/win/message_loop.h"

#include <algorithm>

namespace {

template <typename T>
void Remove(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

void MessageLoop::AddFilter(MessageFilter* filter) { filters_.push_back(filter); }
void MessageLoop::RemoveFilter(MessageFilter* filter) { Remove(filters_, filter); }

bool MessageLoop::Filter(MSG& message) {
    // A filter may unregister itself while it runs: walk a copy.
    const std::vector<MessageFilter*> filters(filters_.rbegin(), filters_.rend());
    for (MessageFilter* filter : filters) {
        if (std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) continue;
        if (filter->PreTranslateMessage(message)) return true;
    }
    return false;
}

int MessageLoop::Run() {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) continue;
        if (!got) return static_cast<int>(message.wParam);
        if (!Filter(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
