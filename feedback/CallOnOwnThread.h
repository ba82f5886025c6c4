#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <utility>

namespace qff {

// Runs call on the thread that owns object. From that thread it runs at once; from any
// other thread it is queued there and the caller waits until it has run. The owner's
// thread must never wait for the caller (it does not: the user-interface thread never
// waits for a worker).
template <typename Call>
void CallOnOwnThread(QObject* object, Call&& call) {
    if (QThread::currentThread() == object->thread()) {
        std::forward<Call>(call)();
    } else {
        QMetaObject::invokeMethod(object, std::forward<Call>(call), Qt::BlockingQueuedConnection);
    }
}

}  // namespace qff
