#include "BoxDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace qff::test {

CPPMessageBoxTemplate* ShownBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<CPPMessageBoxTemplate*>(widget);
        if (box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

int DriveBox(const std::function<int()>& show,
             const std::function<void(CPPMessageBoxTemplate&)>& act, int limitMs) {
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QPointer<CPPMessageBoxTemplate> acted;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CPPMessageBoxTemplate* box = ShownBox();
        if (box == nullptr) {
            return;
        }
        if (acted != box) {
            acted = box;
            act(*box);
        } else if (clock.elapsed() > limitMs) {
            box->done(-1);
        }
    });
    poll.start(10);
    return show();
}

}  // namespace qff::test
