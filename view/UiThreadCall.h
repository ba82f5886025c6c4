#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <type_traits>

namespace qff {

// Runs call on the thread that owns object and returns its result. On that thread it
// runs at once; from a worker it is queued there and the worker waits for it. The
// owner's thread never waits for a worker, so this cannot deadlock.
template <typename Call>
auto CallOnUiThread(QObject* object, Call call) -> std::invoke_result_t<Call> {
    using Result = std::invoke_result_t<Call>;
    if (QThread::currentThread() == object->thread()) {
        return call();
    }
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(object, call, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            object, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

}  // namespace qff
