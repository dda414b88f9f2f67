#pragma once
// Driving the whole program as a user does: a script that runs inside the
// program's event loop once its login window shows, and the steps of typing
// and finding windows that the session tests and the session bench share.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

#include "login-widget.h"
#include "sheet_responder.h"
#include "vexo_message_sheet.h"

namespace session {

template <typename Widget>
Widget* visibleWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<Widget*>(widget))
            if (found->isVisible())
                return found;
    return nullptr;
}

// Replaces what a field holds, key by key.
inline void typeInto(QWidget* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// The program's close confirmation is agreed to from now on; a progress
// sheet is left to run.
inline void answerCloseQuestion()
{
    installSheetResponder([](const SheetRequest& request) {
        return request.type == VexoMessageSheet::Processing ||
                       request.type == VexoMessageSheet::ProcessingWithAnimation
                   ? 0
                   : int(QMessageBox::Ok);
    });
}

namespace detail {

inline std::function<void()>& loginScript()
{
    static std::function<void()> script;
    return script;
}

inline std::function<void()>& beforeClosing()
{
    static std::function<void()> step;
    return step;
}

inline void startScriptWhenLoginShown()
{
    QMetaObject::invokeMethod(
        qApp,
        [] {
            auto* poll = new QTimer(qApp);
            QObject::connect(poll, &QTimer::timeout, [poll] {
                if (!visibleWindow<LoginWidget>())
                    return;
                poll->stop();
                poll->deleteLater();
                auto script = std::move(loginScript());
                script();
                if (auto step = std::move(beforeClosing()))
                    step();
                QTimer::singleShot(0, [] { QApplication::closeAllWindows(); });
            });
            poll->start(20);
        },
        Qt::QueuedConnection);
}

}  // namespace detail

// Runs script once the program shows its login window, from inside its
// event loop, then before_closing (if any), then closes every window as a
// user ends the program. Call before the application object is made: the
// hook is Qt's own (qAddPreRoutine).
inline void runWhenLoginShown(std::function<void()> script, std::function<void()> before_closing = {})
{
    detail::loginScript() = std::move(script);
    detail::beforeClosing() = std::move(before_closing);
    qAddPreRoutine(detail::startScriptWhenLoginShown);
}

}  // namespace session
