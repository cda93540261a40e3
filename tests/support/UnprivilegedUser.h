#pragma once

// For tests of writes that must fail: runs an action without root's right to
// write anywhere, so that the folders' own permissions decide, as they do
// for a user. Header-only; Qt Tests include it.

#include <QTest>

#include <unistd.h>

template <typename Action>
void AsUnprivilegedUser(Action action)
{
    const bool root = geteuid() == 0;
    if (root)
        QVERIFY(seteuid(65534) == 0);
    action();
    if (root)
        QVERIFY(seteuid(0) == 0);
}
