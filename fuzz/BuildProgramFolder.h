#pragma once

// The fuzz targets and the seed tool run without a QCoreApplication, so the
// program folder is not found on its own: it is the executable's folder of
// the build, where the protocol libraries are.

#include "base/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>

inline void UseBuildProgramFolder()
{
    SetProgramFolder(std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/");
}

// Makes `folder` the program folder, with a Device folder of its own and the
// build's protocol libraries linked in, so that device tables written
// meanwhile stay out of the build.
inline void UseProgramFolderIn(const QTemporaryDir& folder)
{
    UseBuildProgramFolder();
    const QString protocols = QString::fromStdString(ProtocolFolder());
    SetProgramFolder(folder.path().toStdString() + "/");
    QDir().mkpath(QString::fromStdString(DeviceFolder()));
    QFile::link(protocols, QString::fromStdString(ProtocolFolder()).chopped(1));
}
