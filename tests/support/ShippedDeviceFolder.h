#pragma once

// For the Qt Tests of the editor: makes `folder` the program folder, with
// the device file that ships with the program copied into its Device folder,
// so that File New finds its device and "PZ.DAT" stays out of the build tree.
// Header-only: the GUI tests include it.

#include "base/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

inline bool UseProgramFolderWithShippedDevice(const QString& folder)
{
    const QString name = QStringLiteral("/Device/ModBus SlaveCommunication.add");
    const QString shipped = QCoreApplication::applicationDirPath() + name;
    if (!QDir(folder).mkpath(QStringLiteral("Device")) || !QFile::copy(shipped, folder + name))
        return false;
    SetProgramFolder(folder.toStdString());
    return true;
}

// As UseProgramFolderWithShippedDevice; the protocol libraries stay where the
// build put them, reached through a link named Protocol in `folder`.
inline bool UseProgramFolderWithShippedDeviceAndProtocols(const QString& folder)
{
    return UseProgramFolderWithShippedDevice(folder)
        && QFile::link(QCoreApplication::applicationDirPath() + QStringLiteral("/Protocol"),
            folder + QStringLiteral("/Protocol"));
}
