#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <type_traits>

namespace qff {

// Runs call on the thread that owns object and returns its result. From that thread it
// runs at once; from any other thread it is queued there and the caller waits until it
// has run. The owner's thread must never wait for the caller (it does not: the
// user-interface thread never waits for a worker), so this cannot deadlock.
template <typename Call>
auto CallOnOwnThread(QObject* object, Call call) -> std::invoke_result_t<Call> {
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
