#pragma once

// For tests that check what the code logs: the Qt warnings written while an
// action runs, caught by a message handler installed for that time only.
// Header-only.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace logged_warnings {
inline QStringList* g_caught = nullptr;

inline void Catch(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg)
        g_caught->append(text);
}
} // namespace logged_warnings

// The warnings logged while `action` runs.
template <class Action>
QStringList WarningsLoggedBy(Action action)
{
    QStringList warnings;
    logged_warnings::g_caught = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(logged_warnings::Catch);
    action();
    qInstallMessageHandler(previous);
    logged_warnings::g_caught = nullptr;
    return warnings;
}
