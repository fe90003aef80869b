// Stands in for the desktop while a test runs: records the classes it would hear of.
#pragma once

#include "platform/ClassesRoot.h"

#include <QList>
#include <QStringList>

class NotifyRecorder {
public:
    // `answer` is what the desktop reports back each time.
    explicit NotifyRecorder(QList<platform::ClassesRootFailure> answer = {})
    {
        platform::setDesktopNotifyHook([this, answer](const QStringList& classNames) {
            told.append(classNames);
            return answer;
        });
    }
    ~NotifyRecorder() { platform::setDesktopNotifyHook({}); }
    NotifyRecorder(const NotifyRecorder&) = delete;
    NotifyRecorder& operator=(const NotifyRecorder&) = delete;

    QList<QStringList> told;
};
