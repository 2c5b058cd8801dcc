#pragma once

#include "mainwindow/Form1.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

/// Starts a main window over a results file with `content` in `directory`, as the program does at start.
inline std::unique_ptr<Form1> startForm1(const QTemporaryDir& directory, const QByteArray& content)
{
    QFile file(directory.filePath(QStringLiteral("db.dll")));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        return nullptr;
    }
    file.close();
    auto form = std::make_unique<Form1>(Form1Config {directory.path(), {}});
    form->load();
    return form;
}
